#pragma once

#include <windows.h>

namespace telvane::win32 {

// The visual style's drawing (uxtheme, loaded at run time: Windows 2000 has none). Where no
// style applies to a window (classic look, or the window is not themed) nothing is drawn and
// the caller draws the classic part.
class VisualStyles {
public:
    VisualStyles();
    VisualStyles(const VisualStyles&) = delete;
    VisualStyles& operator=(const VisualStyles&) = delete;
    ~VisualStyles();

    // Draws the part of the class's style (e.g. L"BUTTON", BP_CHECKBOX) in `place`; false
    // when no style applies to `window`.
    bool Draw(HWND window, const wchar_t* classes, int part, int state, HDC dc,
              const RECT& place) const;

private:
    using Theme = void*;
    using OpenTheme = Theme(WINAPI*)(HWND, LPCWSTR);
    using CloseTheme = HRESULT(WINAPI*)(Theme);
    using DrawBackground = HRESULT(WINAPI*)(Theme, HDC, int, int, const RECT*, const RECT*);

    HMODULE m_library = nullptr;
    OpenTheme m_open = nullptr;
    CloseTheme m_close = nullptr;
    DrawBackground m_draw = nullptr;
};

}  // namespace telvane::win32
