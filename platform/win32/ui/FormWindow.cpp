// Product headers come before <windows.h>, whose macros share their names.
#include "forms/Control.h"
#include "forms/Form.h"

#include "platform/win32/ui/FormWindow.h"

#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

#include "platform/win32/com/TextConversion.h"
#include "platform/win32/ui/ControlPeer.h"
#include "platform/win32/ui/ControlPeerFactory.h"
#include "platform/win32/ui/FrameStyle.h"
#include "platform/win32/ui/Win32UiHost.h"
#include "platform/win32/ui/WindowClasses.h"
#include "platform/win32/ui/WindowNotCreated.h"

namespace telvane::win32 {
namespace {

// Windows 8.1 and 10 send these; the headers for XP do not name them.
constexpr UINT kDpiChanged = 0x02E0;             // WM_DPICHANGED
constexpr UINT kDpiChangedAfterParent = 0x02E3;  // WM_DPICHANGED_AFTERPARENT

// Containers come before what they hold, and siblings in tab order: each new child goes to the
// bottom, so the first in the tab order is the first child that screen readers and label
// association meet. Lines and images have no tab index and lie under the rest.
std::vector<forms::Control*> CreationOrder(const forms::Form& form) {
    std::vector<forms::Control*> order(form.Controls().begin(), form.Controls().end());
    const auto depth = [](const forms::Control* control) {
        int levels = 0;
        for (const forms::Control* up = control->Parent().AsControl(); up != nullptr;
             up = up->Parent().AsControl())
            ++levels;
        return levels;
    };
    const auto rank = [](const forms::Control* control) {
        return control->HasTabIndex() ? control->TabIndex() : std::numeric_limits<int>::max();
    };
    std::stable_sort(order.begin(), order.end(), [&](const auto* a, const auto* b) {
        return std::pair(depth(a), rank(a)) < std::pair(depth(b), rank(b));
    });
    return order;
}

}  // namespace

FormWindow::FormWindow(Win32UiHost& host, forms::Form& form, HWND parent, HWND owner)
    : m_host(host), m_form(form), m_embedded(parent != nullptr) {
    const FrameStyle style = FrameStyle::Of(form, m_embedded);
    m_window.Reset(m_host.MakeWindow(style.extended, WindowClasses::Form,
                                     com::WideFromUtf8(form.Caption()).c_str(), style.style, {},
                                     m_embedded ? parent : owner, nullptr, this));
    if (!m_window)
        throw WindowNotCreated(form.Name(), ::GetLastError());
    m_host.FollowDpiOf(m_window.Get());
    try {
        ApplyBounds();
        ApplyIcon();
        int id = 1;
        for (forms::Control* control : CreationOrder(form)) {
            auto peer = ControlPeerFactory::Make(*this, *control, id++);
            m_byControl.emplace(control, peer.get());
            if (peer->Window() != nullptr)
                m_byWindow.emplace(peer->Window(), peer.get());
            m_controls.push_back(std::move(peer));
        }
    } catch (...) {
        // The destructor does not run for an object that was never made.
        Release();
        throw;
    }
}

FormWindow::~FormWindow() {
    Release();
}

void FormWindow::Release() {
    // The procedures must not reach this object while the windows go.
    if (m_window)
        ::SetWindowLongPtrW(m_window.Get(), GWLP_USERDATA, 0);
    for (const auto& peer : m_controls)
        peer->Detach();
    m_window.Reset();
    m_byWindow.clear();
    m_byControl.clear();
    m_controls.clear();
}

ControlPeer* FormWindow::Peer(const forms::Control& control) const {
    const auto found = m_byControl.find(&control);
    return found == m_byControl.end() ? nullptr : found->second;
}

ControlPeer* FormWindow::PeerOf(HWND window) const {
    const auto found = m_byWindow.find(window);
    return found == m_byWindow.end() ? nullptr : found->second;
}

HWND FormWindow::ContainerWindow(const forms::Control& control) const {
    if (const forms::Control* frame = control.Parent().AsControl()) {
        if (const ControlPeer* peer = Peer(*frame))
            return peer->Window();
    }
    return m_window.Get();
}

RECT FormWindow::PixelRect(const forms::Control& control) const {
    const forms::Bounds& b = control.GetBounds();
    return {m_host.Pixels(b.left), m_host.Pixels(b.top), m_host.Pixels(b.left + b.width),
            m_host.Pixels(b.top + b.height)};
}

void FormWindow::Reparent(HWND parent, HWND owner) {
    const bool embedded = parent != nullptr;
    const FrameStyle style = FrameStyle::Of(m_form, embedded);
    const bool visible = ::IsWindowVisible(m_window.Get()) != FALSE;
    if (embedded)
        ::SetParent(m_window.Get(), parent);
    ::SetWindowLongPtrW(m_window.Get(), GWL_STYLE,
                        static_cast<LONG_PTR>(style.style | (visible ? WS_VISIBLE : 0)));
    ::SetWindowLongPtrW(m_window.Get(), GWL_EXSTYLE, static_cast<LONG_PTR>(style.extended));
    if (!embedded) {
        ::SetParent(m_window.Get(), nullptr);
        SetOwner(owner);
    }
    m_embedded = embedded;
    ApplyBounds();
}

void FormWindow::SetOwner(HWND owner) {
    if (!m_embedded)
        ::SetWindowLongPtrW(m_window.Get(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
}

void FormWindow::ApplyBounds() {
    const FrameStyle style = FrameStyle::Of(m_form, m_embedded);
    RECT outer{0, 0, m_host.Pixels(m_form.ClientWidth()), m_host.Pixels(m_form.ClientHeight())};
    ::AdjustWindowRectEx(&outer, style.style, FALSE, style.extended);
    const forms::Bounds place = m_form.WindowBounds();
    ::SetWindowPos(m_window.Get(), nullptr, m_host.Pixels(place.left), m_host.Pixels(place.top),
                   outer.right - outer.left, outer.bottom - outer.top,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void FormWindow::FollowDpi() {
    // Moved to a monitor of another DPI (or the user changed it): laid out again from twips.
    if (!m_host.FollowDpiOf(m_window.Get()))
        return;
    ApplyBounds();
    for (const auto& peer : m_controls) {
        if (peer->Window() == nullptr)
            continue;
        peer->Changed(forms::Property::Font);
        peer->Changed(forms::Property::Bounds);
    }
    ::InvalidateRect(m_window.Get(), nullptr, TRUE);
}

void FormWindow::ApplyIcon() {
    if (m_form.Icon().empty())
        return;
    if (HICON icon = m_host.Resources().Icon(m_host.Module(), m_form.Icon(), 16)) {
        ::SendMessageW(m_window.Get(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
    if (HICON icon = m_host.Resources().Icon(m_host.Module(), m_form.Icon(), 32)) {
        ::SendMessageW(m_window.Get(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    }
}

void FormWindow::ApplyCaption() {
    ::SetWindowTextW(m_window.Get(), com::WideFromUtf8(m_form.Caption()).c_str());
}

void FormWindow::ApplyFocus() {
    forms::Control* active = m_form.ActiveControl();
    ControlPeer* peer = active ? Peer(*active) : nullptr;
    if (peer == nullptr || peer->Window() == nullptr)
        return;
    // Moving the focus into an inactive window would activate it behind the user's back.
    const HWND focus = ::GetFocus();
    const bool ours = focus == m_window.Get() || ::IsChild(m_window.Get(), focus);
    const bool active_window = m_embedded ? ours : ::GetActiveWindow() == m_window.Get() || ours;
    // While the control's frame is shut the form's own window keeps the keys.
    const HWND target = TakesFocus(peer->Window()) ? peer->Window() : m_window.Get();
    if (active_window && focus != target)
        ::SetFocus(target);
}

bool FormWindow::TakesFocus(HWND window) const {
    for (HWND at = window; at != nullptr && at != m_window.Get(); at = ::GetParent(at)) {
        if (!::IsWindowEnabled(at) || (::GetWindowLongPtrW(at, GWL_STYLE) & WS_VISIBLE) == 0)
            return false;
    }
    return true;
}

void FormWindow::KeepFocusOutOf(HWND window) {
    // Windows takes the focus from a window that is disabled or hidden, and from everything in
    // it, and gives it to nobody: the keys would then reach no window until the user clicks.
    const HWND focus = ::GetFocus();
    if (window != nullptr && focus != nullptr && (focus == window || ::IsChild(window, focus)))
        ::SetFocus(m_window.Get());
}

void FormWindow::FormChanged(forms::Property what) {
    switch (what) {
        case forms::Property::Caption:
            ApplyCaption();
            break;
        case forms::Property::Bounds:
            ApplyBounds();
            break;
        case forms::Property::Enabled:
            ::EnableWindow(m_window.Get(), m_form.Enabled() ? TRUE : FALSE);
            break;
        case forms::Property::Icon:
            ApplyIcon();
            break;
        case forms::Property::Focus:
            ApplyFocus();
            break;
        case forms::Property::MousePointer: {
            POINT cursor{};
            ::GetCursorPos(&cursor);
            const HWND under = ::WindowFromPoint(cursor);
            if (under == m_window.Get() || ::IsChild(m_window.Get(), under)) {
                ::SetCursor(
                    ::LoadCursorW(nullptr, m_form.MousePointer() == forms::MousePointer::Hourglass
                                               ? reinterpret_cast<LPCWSTR>(IDC_WAIT)
                                               : reinterpret_cast<LPCWSTR>(IDC_ARROW)));
            }
            break;
        }
        case forms::Property::Colors:
        case forms::Property::Font:
            ::InvalidateRect(m_window.Get(), nullptr, TRUE);
            break;
        default:
            break;
    }
}

void FormWindow::ControlChanged(const forms::Control& control, forms::Property what) {
    if (what == forms::Property::Focus) {
        ApplyFocus();
        return;
    }
    ControlPeer* peer = Peer(control);
    if (peer == nullptr)
        return;
    const bool shown = what == forms::Property::Visible && control.Visible();
    const bool enabled = what == forms::Property::Enabled && control.Enabled();
    if ((what == forms::Property::Visible && !shown) ||
        (what == forms::Property::Enabled && !enabled)) {
        KeepFocusOutOf(peer->Window());
    }
    peer->Changed(what);
    // The focus that had to leave comes back to the model's control once it can.
    if (shown || enabled)
        ApplyFocus();
}

void FormWindow::Paint(HWND window) {
    PAINTSTRUCT paint;
    const HDC dc = ::BeginPaint(window, &paint);
    const forms::Container* container = &m_form;
    if (window != m_window.Get()) {
        ControlPeer* pane = PeerOf(window);
        if (pane != nullptr) {
            pane->PaintPane(dc);
            container = dynamic_cast<const forms::Container*>(&pane->Control());
        }
    }
    // Lines have no window: their container draws them.
    for (const auto& peer : m_controls) {
        if (peer->Window() == nullptr && &peer->Control().Parent() == container)
            peer->PaintInContainer(dc);
    }
    ::EndPaint(window, &paint);
}

LRESULT CALLBACK FormWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<FormWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr)
        return ::DefWindowProcW(window, message, wParam, lParam);
    try {
        return self->Handle(window, message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind through the system's frames.
        self->m_host.KeepError(std::current_exception());
        return 0;
    }
}

LRESULT FormWindow::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (ControlPeer* peer = PeerOf(reinterpret_cast<HWND>(lParam))) {
                peer->Command(HIWORD(wParam));
                return 0;
            }
            break;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            LRESULT result = 0;
            if (ControlPeer* peer = PeerOf(header->hwndFrom)) {
                if (peer->Notify(*header, result))
                    return result;
            }
            break;
        }
        case WM_MEASUREITEM: {
            auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            const auto index = static_cast<std::size_t>(measure->CtlID) - 1;
            if (measure->CtlType == ODT_LISTBOX && index < m_form.Controls().size()) {
                // Sent while the list is being created, before its peer is known.
                HFONT font = m_host.Resources().Font(m_form.Controls()[index]->Font());
                measure->itemHeight = static_cast<UINT>(m_host.Resources().LineHeight(font) + 3);
                return TRUE;
            }
            break;
        }
        case WM_DRAWITEM: {
            const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (ControlPeer* peer = PeerOf(draw->hwndItem)) {
                peer->DrawItem(*draw);
                return TRUE;
            }
            break;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            if (ControlPeer* peer = PeerOf(reinterpret_cast<HWND>(lParam))) {
                if (HBRUSH brush = peer->ControlColor(reinterpret_cast<HDC>(wParam)))
                    return reinterpret_cast<LRESULT>(brush);
            }
            break;
        case WM_ERASEBKGND: {
            RECT client;
            ::GetClientRect(window, &client);
            ControlPeer* pane = window == m_window.Get() ? nullptr : PeerOf(window);
            ::FillRect(reinterpret_cast<HDC>(wParam), &client,
                       pane ? pane->Background() : m_host.Resources().Brush(m_form.BackColor()));
            return 1;
        }
        case WM_PAINT:
            Paint(window);
            return 0;
        case WM_SHOWWINDOW:
            if (window == m_window.Get() && wParam != FALSE) {
                for (const auto& peer : m_controls)
                    peer->FormShowing();
            }
            break;
        case WM_GETOBJECT:
            if (ControlPeer* pane = window == m_window.Get() ? nullptr : PeerOf(window)) {
                if (const LRESULT answer = pane->PaneAccessible(wParam, lParam))
                    return answer;
            }
            break;
        case kDpiChanged:
        case kDpiChangedAfterParent:
            if (window == m_window.Get()) {
                FollowDpi();
                return 0;
            }
            break;
        case WM_SETCURSOR:
            if (m_form.MousePointer() == forms::MousePointer::Hourglass) {
                ::SetCursor(::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)));
                return TRUE;
            }
            break;
        case WM_CLOSE:
            if (window == m_window.Get()) {
                m_form.UserClose();
                return 0;
            }
            break;
        case WM_ACTIVATE:
            if (window == m_window.Get() && LOWORD(wParam) != WA_INACTIVE) {
                ::DefWindowProcW(window, message, wParam, lParam);
                ApplyFocus();
                return 0;
            }
            break;
        default:
            break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace telvane::win32
