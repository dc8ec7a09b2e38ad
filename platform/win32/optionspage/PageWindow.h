#pragma once

#include <windows.h>

#include <functional>

#include "platform/win32/ui/GdiObjects.h"
#include "platform/win32/ui/WindowClass.h"

namespace telvane::win32 {

// The window the page control hands its container during in-place activation: a child of the
// container's window, in the button-face colour of a dialog page, one tab stop of the
// container's dialog that passes the focus on to the page's controls.
class PageWindow {
public:
    // Raises nothing: Handle() is null when the window could not be made. focused runs when
    // the window itself gets the focus, to pass it on to one of the page's controls.
    PageWindow(HWND parent, const RECT& position, std::function<void()> focused);
    PageWindow(const PageWindow&) = delete;
    PageWindow& operator=(const PageWindow&) = delete;
    ~PageWindow();

    HWND Handle() const { return m_window.Get(); }
    // Places the window at position (in its parent's client coordinates), showing only the
    // part inside clip.
    void Place(const RECT& position, const RECT& clip);

    static constexpr const wchar_t* ClassName = L"TelvanePageWindow";

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    std::function<void()> m_focused;
    WindowClass m_class;  // before the window, which goes first
    WindowHandle m_window;
};

}  // namespace telvane::win32
