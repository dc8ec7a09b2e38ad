#include "platform/win32/optionspage/PageWindow.h"

#include <utility>

#include "platform/win32/com/ServerModule.h"

namespace telvane::win32 {
namespace {

WNDCLASSEXW Description(WNDPROC procedure) {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = com::ServerModule::Handle();
    windowClass.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = PageWindow::ClassName;
    return windowClass;
}

}  // namespace

PageWindow::PageWindow(HWND parent, const RECT& position, std::function<void()> focused)
    : m_focused(std::move(focused)), m_class(Description(&PageWindow::Procedure)) {
    if (!m_class.Registered())
        return;
    // One tab stop for the dialog, as a control is: entering it passes the focus on to the
    // page's first or last control, and inside it the page's own order holds (through
    // IOleInPlaceActiveObject::TranslateAccelerator).
    m_window.Reset(::CreateWindowExW(
        0, ClassName, L"", WS_CHILD | WS_TABSTOP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, position.left,
        position.top, position.right - position.left, position.bottom - position.top, parent,
        nullptr, com::ServerModule::Handle(), this));
}

PageWindow::~PageWindow() = default;

void PageWindow::Place(const RECT& position, const RECT& clip) {
    HWND window = m_window.Get();
    if (!window)
        return;
    ::SetWindowPos(window, nullptr, position.left, position.top, position.right - position.left,
                   position.bottom - position.top, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT visible;
    if (::IntersectRect(&visible, &position, &clip) && !::EqualRect(&visible, &position)) {
        ::OffsetRect(&visible, -position.left, -position.top);
        // The window owns the region from here on.
        ::SetWindowRgn(window, ::CreateRectRgnIndirect(&visible), TRUE);
    } else {
        ::SetWindowRgn(window, nullptr, TRUE);
    }
}

LRESULT CALLBACK PageWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<PageWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_SETFOCUS && self && self->m_focused) {
        // The window itself takes no input: one of the page's controls does.
        self->m_focused();
        return 0;
    }
    if (message == WM_NCDESTROY)
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace telvane::win32
