// Product headers come before <windows.h>, whose macros share their names.
#include "forms/Control.h"
#include "forms/Form.h"

#include "platform/win32/ui/ControlPeer.h"

#include "platform/win32/ui/FormWindow.h"
#include "platform/win32/ui/SyncingScope.h"
#include "platform/win32/ui/Win32UiHost.h"
#include "platform/win32/ui/WindowNotCreated.h"

namespace telvane::win32 {

ControlPeer::ControlPeer(FormWindow& form, forms::Control& control, int id)
    : m_form(form), m_control(control), m_id(id) {}

ControlPeer::~ControlPeer() {
    // The derived peer is gone already: no message of the window may reach it any more.
    Unhook();
}

void ControlPeer::Detach() {
    Unhook();
    m_window.Release();
}

void ControlPeer::Unhook() {
    const HWND window = m_window.Get();
    if (window == nullptr || !::IsWindow(window))
        return;
    if (m_pane) {
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    } else if (m_original != nullptr) {
        ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_original));
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        m_original = nullptr;
    }
}

void ControlPeer::Create(const wchar_t* windowClass, DWORD style, DWORD extended,
                         const std::wstring& caption, bool pane) {
    style |= WS_CHILD | WS_CLIPSIBLINGS;
    if (!m_control.Enabled())
        style |= WS_DISABLED;
    if (m_control.Visible())
        style |= WS_VISIBLE;
    const RECT place = m_form.PixelRect(m_control);
    m_pane = pane;
    m_window.Reset(m_form.Host().MakeWindow(
        extended, windowClass, caption.c_str(), style, place, m_form.ContainerWindow(m_control),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(m_id)), pane ? &m_form : nullptr));
    if (!m_window)
        throw WindowNotCreated(m_control.Name(), ::GetLastError());
    // Said rather than left to CreateWindowEx: the form creates its children in tab order, and
    // Windows walks the z-order from the top for the tab order, screen readers and labels.
    ::SetWindowPos(m_window.Get(), HWND_BOTTOM, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (!pane) {
        ::SetWindowLongPtrW(m_window.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        m_original = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
            m_window.Get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Subclass)));
    }
    ApplyFont(false);
}

void ControlPeer::ApplyFont(bool redraw) {
    ::SendMessageW(m_window.Get(), WM_SETFONT,
                   reinterpret_cast<WPARAM>(FontToApply(m_form.Host().Resources())),
                   redraw ? TRUE : FALSE);
}

HFONT ControlPeer::FontToApply(DrawingResources& resources) const {
    return resources.Font(m_control.Font());
}

void ControlPeer::ApplyBounds() {
    const RECT place = m_form.PixelRect(m_control);
    ::SetWindowPos(m_window.Get(), nullptr, place.left, place.top, place.right - place.left,
                   place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void ControlPeer::Changed(forms::Property what) {
    const SyncingScope syncing(m_syncing);
    Apply(what);
}

void ControlPeer::Apply(forms::Property what) {
    switch (what) {
        case forms::Property::Caption:
            if (m_pane)
                ::InvalidateRect(m_window.Get(), nullptr, TRUE);
            break;
        case forms::Property::Bounds:
            ApplyBounds();
            break;
        case forms::Property::Visible:
            ::ShowWindow(m_window.Get(), m_control.Visible() ? SW_SHOWNA : SW_HIDE);
            break;
        case forms::Property::Enabled:
            ::EnableWindow(m_window.Get(), m_control.Enabled() ? TRUE : FALSE);
            break;
        case forms::Property::Font:
            ApplyFont(true);
            break;
        case forms::Property::Appearance:
        case forms::Property::Colors:
        case forms::Property::Picture:
            ::InvalidateRect(m_window.Get(), nullptr, TRUE);
            break;
        default:
            break;
    }
}

void ControlPeer::Command(WORD code) {
    static_cast<void>(code);
}

bool ControlPeer::Notify(const NMHDR& header, LRESULT& result) {
    static_cast<void>(header);
    static_cast<void>(result);
    return false;
}

void ControlPeer::DrawItem(const DRAWITEMSTRUCT& draw) const {
    static_cast<void>(draw);
}

HBRUSH ControlPeer::ControlColor(HDC dc) const {
    static_cast<void>(dc);
    return nullptr;
}

void ControlPeer::PaintPane(HDC dc) const {
    static_cast<void>(dc);
}

HBRUSH ControlPeer::Background() const {
    return m_form.Host().Resources().Brush(m_control.OwnerForm().BackColor());
}

void ControlPeer::FormShowing() {}

LRESULT ControlPeer::PaneAccessible(WPARAM wParam, LPARAM lParam) {
    static_cast<void>(wParam);
    static_cast<void>(lParam);
    return 0;
}

void ControlPeer::PaintInContainer(HDC dc) const {
    static_cast<void>(dc);
}

bool ControlPeer::Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    static_cast<void>(wParam);
    static_cast<void>(lParam);
    result = 0;
    if (message == WM_SETFOCUS) {
        // The focus moved natively (a click on an empty part of a list): the model follows.
        if (!m_syncing && !m_control.HasFocus() && m_control.CanReceiveFocus()) {
            const SyncingScope syncing(m_syncing);
            m_control.SetFocus();
        }
    }
    return false;
}

LRESULT CALLBACK ControlPeer::Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<ControlPeer*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr)
        return ::DefWindowProcW(window, message, wParam, lParam);
    const WNDPROC original = self->m_original;
    if (message == WM_NCDESTROY) {
        // Destroyed with its parent: the handle is no longer the peer's to destroy.
        ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->m_original = nullptr;
        self->m_window.Release();
        return ::CallWindowProcW(original, window, message, wParam, lParam);
    }
    try {
        LRESULT result = 0;
        if (self->Handle(message, wParam, lParam, result))
            return result;
    } catch (...) {
        self->m_form.Host().KeepError(std::current_exception());
        return 0;
    }
    return ::CallWindowProcW(original, window, message, wParam, lParam);
}

}  // namespace telvane::win32
