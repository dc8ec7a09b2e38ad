#pragma once

#include <windows.h>

#include "platform/win32/ui/UniqueHandle.h"

namespace telvane::win32 {

inline void DeleteGdiObject(HGDIOBJ object) {
    ::DeleteObject(object);
}
inline void DestroyWindowIfAlive(HWND window) {
    // A container may have destroyed an embedded window with its own.
    if (::IsWindow(window))
        ::DestroyWindow(window);
}
inline void DestroyIconHandle(HICON icon) {
    ::DestroyIcon(icon);
}
inline void DeleteMemoryDc(HDC dc) {
    ::DeleteDC(dc);
}

using FontHandle = UniqueHandle<HFONT, DeleteGdiObject>;
using BrushHandle = UniqueHandle<HBRUSH, DeleteGdiObject>;
using BitmapHandle = UniqueHandle<HBITMAP, DeleteGdiObject>;
using PenHandle = UniqueHandle<HPEN, DeleteGdiObject>;
// A device context of CreateCompatibleDC (not one of GetDC, which is released instead).
using MemoryDcHandle = UniqueHandle<HDC, DeleteMemoryDc>;
using WindowHandle = UniqueHandle<HWND, DestroyWindowIfAlive>;
using IconHandle = UniqueHandle<HICON, DestroyIconHandle>;

}  // namespace telvane::win32
