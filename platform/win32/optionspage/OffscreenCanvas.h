#pragma once

#include <windows.h>

#include "platform/win32/ui/GdiObjects.h"

namespace telvane::win32 {

// A bitmap to draw into, compatible with a device context, selected into a memory context of
// its own while it lives.
class OffscreenCanvas {
public:
    OffscreenCanvas(HDC like, int width, int height)
        : m_context(::CreateCompatibleDC(like)),
          m_bitmap(m_context ? ::CreateCompatibleBitmap(like, width, height) : nullptr) {
        if (m_bitmap)
            m_old = ::SelectObject(m_context.Get(), m_bitmap.Get());
    }
    OffscreenCanvas(const OffscreenCanvas&) = delete;
    OffscreenCanvas& operator=(const OffscreenCanvas&) = delete;
    ~OffscreenCanvas() {
        // The bitmap cannot be deleted while the context holds it.
        if (m_old)
            ::SelectObject(m_context.Get(), m_old);
    }

    // Null when the canvas could not be made (a metafile has no compatible bitmap).
    HDC Context() const { return m_bitmap ? m_context.Get() : nullptr; }

private:
    MemoryDcHandle m_context;  // declared first: it goes after the bitmap
    BitmapHandle m_bitmap;
    HGDIOBJ m_old = nullptr;
};

}  // namespace telvane::win32
