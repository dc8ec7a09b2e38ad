// Product headers come before <windows.h>, whose macros share their names.
#include "common/outlook/RaisedError.h"
#include "forms/Control.h"
#include "forms/Form.h"

#include "platform/win32/ui/Win32UiHost.h"

#include <commctrl.h>

#include <algorithm>
#include <cctype>

#include "platform/win32/com/TextConversion.h"
#include "platform/win32/ui/ControlPeer.h"
#include "platform/win32/ui/DisabledWindows.h"
#include "platform/win32/ui/FormWindow.h"
#include "platform/win32/ui/WindowClasses.h"
#include "platform/win32/ui/WindowNotCreated.h"

namespace telvane::win32 {
namespace {

HINSTANCE ThisModule() {
    HMODULE module = nullptr;
    ::GetModuleHandleExW(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}

struct ThreadWindows {
    HWND except;
    HWND parking;
    DisabledWindows* disabled;
};

BOOL CALLBACK DisableThreadWindow(HWND window, LPARAM context) {
    auto* windows = reinterpret_cast<ThreadWindows*>(context);
    if (window != windows->except && window != windows->parking && ::IsWindowVisible(window))
        windows->disabled->Disable(window);
    return TRUE;
}

}  // namespace

Win32UiHost::Win32UiHost()
    : m_module(ThisModule()),
      m_scale(PixelScale::OfScreen()),
      m_classes(WindowClasses::Acquire(m_module, &FormWindow::Procedure)),
      m_resources(m_scale) {
    m_context.Within([] {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES | ICC_PROGRESS_CLASS};
        return ::InitCommonControlsEx(&controls);
    });
    m_parking.Reset(::CreateWindowExW(0, WindowClasses::Pane, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                      nullptr, m_module, nullptr));
}

Win32UiHost::~Win32UiHost() {
    m_windows.clear();
    m_parking.Reset();
}

bool Win32UiHost::FollowDpiOf(HWND window) {
    const PixelScale scale = PixelScale::OfWindow(window);
    if (scale == m_scale)
        return false;
    m_scale = scale;
    m_resources.SetScale(scale);
    return true;
}

void Win32UiHost::SetWindowMakerForTests(WindowMaker maker) {
    m_makeWindow = maker != nullptr ? maker : &::CreateWindowExW;
}

FormWindow* Win32UiHost::Find(const forms::Form& form) const {
    const auto found = m_windows.find(&form);
    return found == m_windows.end() ? nullptr : found->second.get();
}

FormWindow* Win32UiHost::FindByWindow(HWND window) const {
    // The form whose window holds `window`; an embedded form's window is not a root.
    for (HWND at = window; at != nullptr; at = ::GetParent(at)) {
        for (const auto& [form, peer] : m_windows) {
            if (peer->Window() == at)
                return peer.get();
        }
        if ((::GetWindowLongPtrW(at, GWL_STYLE) & WS_CHILD) == 0)
            break;
    }
    return nullptr;
}

void Win32UiHost::EmbedIn(forms::Form& form, HWND parent) {
    if (parent != nullptr)
        m_embedding[&form] = parent;
    else
        m_embedding.erase(&form);
    if (FormWindow* window = Find(form))
        window->Reparent(parent, m_parking.Get());
}

HWND Win32UiHost::WindowOf(const forms::Form& form) const {
    const FormWindow* window = Find(form);
    return window ? window->Window() : nullptr;
}

HWND Win32UiHost::WindowOf(const forms::Control& control) const {
    const FormWindow* window = Find(control.OwnerForm());
    const ControlPeer* peer = window ? window->Peer(control) : nullptr;
    return peer ? peer->Window() : nullptr;
}

void Win32UiHost::KeepError(std::exception_ptr error) {
    if (!m_kept)
        m_kept = std::move(error);
}

void Win32UiHost::RaiseKept() {
    if (m_kept)
        std::rethrow_exception(std::exchange(m_kept, nullptr));
}

// --- Lifecycle ---

void Win32UiHost::FormLoaded(forms::Form& form) {
    const auto embedded = m_embedding.find(&form);
    const HWND parent = embedded == m_embedding.end() ? nullptr : embedded->second;
    try {
        m_windows[&form] = std::make_unique<FormWindow>(*this, form, parent, m_parking.Get());
    } catch (const WindowNotCreated& failure) {
        // The form's load fails as any step of the product fails, with the system's reason.
        const DWORD reason = failure.LastError() != 0 ? failure.LastError() : ERROR_OUTOFMEMORY;
        throw RaisedError(static_cast<std::int32_t>(HRESULT_FROM_WIN32(reason)), form.Name(),
                          failure.what());
    }
}

void Win32UiHost::FormUnloaded(forms::Form& form) {
    EndModal(form);
    const auto found = m_windows.find(&form);
    if (found == m_windows.end())
        return;
    // Taken out of the table first: destroying the window sends messages that look it up.
    std::unique_ptr<FormWindow> window = std::move(found->second);
    m_windows.erase(found);
    window.reset();
    if (!m_modal.empty()) {
        // The modal form under it gets the activation back.
        if (FormWindow* below = Find(*m_modal.back().form))
            ::SetActiveWindow(below->Window());
    }
}

void Win32UiHost::Place(forms::Form& form, HWND owner) {
    FormWindow* window = Find(form);
    if (window == nullptr || window->Embedded())
        return;
    RECT outer;
    ::GetWindowRect(window->Window(), &outer);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    RECT area{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    int left = 0;
    int top = 0;
    switch (form.StartUpPosition()) {
        case forms::StartUpPosition::CenterOwner:
            if (owner != nullptr && owner != m_parking.Get()) {
                RECT around;
                ::GetWindowRect(owner, &around);
                left = around.left + (around.right - around.left - width) / 2;
                top = around.top + (around.bottom - around.top - height) / 2;
                break;
            }
            [[fallthrough]];
        case forms::StartUpPosition::CenterScreen:
            left = area.left + (area.right - area.left - width) / 2;
            top = area.top + (area.bottom - area.top - height) / 2;
            break;
        case forms::StartUpPosition::Manual:
        case forms::StartUpPosition::WindowsDefault:
            return;
    }
    form.SetWindowPosition(Twips(std::max(0, left)), Twips(std::max(0, top)));
}

void Win32UiHost::Show(forms::Form& form) {
    FormWindow* window = Find(form);
    if (window == nullptr)
        return;
    Place(form, nullptr);
    ::ShowWindow(window->Window(), window->Embedded() ? SW_SHOWNA : SW_SHOW);
    window->ApplyFocus();
}

void Win32UiHost::Hide(forms::Form& form) {
    EndModal(form);
    if (FormWindow* window = Find(form))
        ::ShowWindow(window->Window(), SW_HIDE);
}

void Win32UiHost::EndModal(const forms::Form& form) {
    for (ModalShow& show : m_modal) {
        if (show.form == &form) {
            *show.ended = true;
            // Enabled before the modal window goes: Windows hands the activation of a window
            // that hides or is destroyed to its owner only when the owner takes input, and
            // otherwise to some other application's window.
            show.disabled->EnableAll();
        }
    }
}

void Win32UiHost::ShowModal(forms::Form& form, forms::Form* owner) {
    FormWindow* window = Find(form);
    if (window == nullptr)
        return;
    const HWND self = window->Window();
    const HWND ownerWindow = owner ? WindowOf(*owner) : nullptr;
    // A form shown without an owner is owned by the window it was opened from (the Options
    // dialog): it stays above that disabled window, the task switcher's entry of the
    // application brings it back as the last active popup, and it is not in the taskbar.
    HWND opener = ownerWindow;
    if (opener == nullptr) {
        const HWND active = ::GetActiveWindow();
        if (active != nullptr && active != self && active != m_parking.Get() &&
            ::IsWindowVisible(active)) {
            opener = active;
        }
    }
    // The focus goes back where it was once the show ends.
    const HWND focusBefore = ::GetFocus();
    bool ended = false;
    {
        DisabledWindows disabled;
        if (ownerWindow != nullptr) {
            disabled.Disable(ownerWindow);
        } else {
            ThreadWindows windows{self, m_parking.Get(), &disabled};
            ::EnumThreadWindows(::GetCurrentThreadId(), &DisableThreadWindow,
                                reinterpret_cast<LPARAM>(&windows));
        }
        window->SetOwner(opener ? opener : m_parking.Get());
        Place(form, ownerWindow);
        m_modal.push_back({&form, &ended, &disabled});
        struct PopModal {
            std::vector<ModalShow>& modal;
            ~PopModal() { modal.pop_back(); }
        } pop{m_modal};
        ::ShowWindow(self, SW_SHOW);
        ::SetForegroundWindow(self);
        window = nullptr;  // the form may unload at any message from here on
        if (FormWindow* shown = Find(form))
            shown->ApplyFocus();
        while (!ended) {
            MSG message;
            const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
            if (got == 0) {
                // The application is ending: its own loop must still see the quit.
                ::PostQuitMessage(static_cast<int>(message.wParam));
                break;
            }
            if (got == -1)
                break;
            Dispatch(message);
            RaiseKept();
        }
    }
    if (opener == nullptr || !::IsWindow(opener))
        return;
    // Where the form was hidden rather than unloaded, its window may still hold the activation.
    if (::GetActiveWindow() != opener)
        ::SetActiveWindow(opener);
    if (focusBefore != nullptr && ::IsWindow(focusBefore) && ::IsWindowEnabled(focusBefore) &&
        ::GetAncestor(focusBefore, GA_ROOT) == opener && ::GetFocus() != focusBefore) {
        ::SetFocus(focusBefore);
    }
}

void Win32UiHost::Dispatch(MSG& message) {
    if (PreTranslateMessage(message))
        return;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
}

void Win32UiHost::DoEvents() {
    // The product lets messages run once per contact, tens of thousands of times in a row;
    // looking into the queue costs a trip to the window server each time, so it is looked
    // into once a few milliseconds have passed, or at once after it held something.
    const DWORD now = ::GetTickCount();
    if (!m_queueBusy && now - m_lastLook < 5)
        return;
    m_lastLook = now;
    m_queueBusy = false;
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        m_queueBusy = true;
        Dispatch(message);
        RaiseKept();
    }
}

bool Win32UiHost::PreTranslateMessage(const MSG& message) {
    if (message.message != WM_KEYDOWN && message.message != WM_SYSCHAR &&
        message.message != WM_SYSKEYDOWN) {
        return false;
    }
    FormWindow* window = FindByWindow(message.hwnd);
    if (window == nullptr)
        return false;
    if (message.message == WM_SYSKEYDOWN) {
        // Alt+key: its WM_SYSCHAR follows. A system key without Alt is a key that came to the
        // active window because no window had the focus: the focus goes back to the model's
        // control, and the key is that of a plain press there.
        if ((message.lParam & (1 << 29)) != 0 || ::GetFocus() != nullptr)
            return false;
        window->ApplyFocus();
        MSG plain = message;
        plain.message = WM_KEYDOWN;
        plain.hwnd = ::GetFocus() != nullptr ? ::GetFocus() : message.hwnd;
        if (!PreTranslateMessage(plain)) {
            ::TranslateMessage(&plain);
            ::DispatchMessageW(&plain);
        }
        return true;
    }
    forms::Form& form = window->Form();
    const auto keep = form.KeepAlive();
    try {
        if (message.message == WM_SYSCHAR) {
            const auto key = static_cast<wchar_t>(message.wParam);
            if (key > 0x7F)
                return false;
            return form.UserPressAccessKey(static_cast<char>(key));
        }
        switch (message.wParam) {
            case VK_TAB:
                form.UserPressTab(::GetKeyState(VK_SHIFT) < 0);
                return true;
            case VK_RETURN:
                return form.UserPressEnter();
            case VK_ESCAPE:
                return form.UserPressEscape();
            default:
                return false;
        }
    } catch (...) {
        KeepError(std::current_exception());
        return true;
    }
}

void Win32UiHost::ShowMessage(const forms::Form* owner, const std::string& text,
                              const std::string& title) {
    HWND ownerWindow = owner ? WindowOf(*owner) : nullptr;
    m_context.Within([&] {
        return ::MessageBoxW(ownerWindow, com::WideFromUtf8(text).c_str(),
                             com::WideFromUtf8(title).c_str(),
                             MB_OK | (ownerWindow ? 0 : MB_TASKMODAL));
    });
}

bool Win32UiHost::TakesInput(const forms::Form& form) const {
    return m_modal.empty() || m_modal.back().form == &form;
}

int Win32UiHost::ScreenWidth() const {
    return Twips(::GetSystemMetrics(SM_CXSCREEN));
}

int Win32UiHost::ScreenHeight() const {
    return Twips(::GetSystemMetrics(SM_CYSCREEN));
}

void Win32UiHost::FormChanged(const forms::Form& form, forms::Property what) {
    if (FormWindow* window = Find(form))
        window->FormChanged(what);
}

void Win32UiHost::ControlChanged(const forms::Control& control, forms::Property what) {
    if (FormWindow* window = Find(control.OwnerForm()))
        window->ControlChanged(control, what);
}

}  // namespace telvane::win32
