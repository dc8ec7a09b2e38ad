#pragma once

#include <windows.h>

#include <exception>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "forms/UiHost.h"
#include "platform/win32/ui/ActivationContext.h"
#include "platform/win32/ui/DrawingResources.h"
#include "platform/win32/ui/GdiObjects.h"
#include "platform/win32/ui/PixelScale.h"

namespace telvane::win32 {

class FormWindow;
class DisabledWindows;
class WindowClasses;

// The window model's Win32 back end: every loaded form gets a native window and every control
// a native child, kept in step with the model through its change notices; native input goes
// back to the model's User... actions, so refusals, events and handlers are the same as
// headless. Forms are top-level windows owned by a hidden window of the host (so none is in
// the taskbar), except a form embedded in a container's window. Twips become pixels at the
// DPI of the forms' monitor, through PixelScale. One host serves one thread: the thread that
// creates it.
class Win32UiHost final : public forms::UiHost {
public:
    Win32UiHost();
    ~Win32UiHost() override;

    // --- For a container that holds a form in its own window (the options tab) ---
    // The form's window becomes a child of `parent` (null: top-level again). Call it before
    // the form loads, or at any time to move a loaded form's window into another parent.
    void EmbedIn(forms::Form& form, HWND parent);
    // The form's or control's native window; null when the form is not loaded.
    HWND WindowOf(const forms::Form& form) const;
    HWND WindowOf(const forms::Control& control) const;
    // The keyboard of the forms: Tab and Shift+Tab, Enter, Esc and access keys of the form that
    // holds message.hwnd. True when the message was used and must not be dispatched; a
    // container forwards its keyboard messages here (IOleInPlaceActiveObject's accelerators).
    bool PreTranslateMessage(const MSG& message);

    // --- Geometry ---
    const PixelScale& Scale() const { return m_scale; }
    int Dpi() const { return m_scale.Dpi(); }
    int Pixels(int twips) const { return m_scale.Pixels(twips); }
    int Twips(int pixels) const { return m_scale.Twips(pixels); }
    // The forms are laid out at the DPI of `window`'s monitor from now on; true when it changed.
    bool FollowDpiOf(HWND window);

    // How the host makes a window: CreateWindowExW, or for tests a stand-in that fails.
    using WindowMaker = HWND(WINAPI*)(DWORD extended, LPCWSTR windowClass, LPCWSTR text,
                                      DWORD style, int x, int y, int width, int height, HWND parent,
                                      HMENU menu, HINSTANCE module, LPVOID parameter);
    // For tests: the forms' and controls' windows are made by `maker` (null: CreateWindowExW).
    void SetWindowMakerForTests(WindowMaker maker);
    HWND MakeWindow(DWORD extended, const wchar_t* windowClass, const wchar_t* text, DWORD style,
                    const RECT& place, HWND parent, HMENU menu, void* parameter) const {
        return m_context.Within([&] {
            return m_makeWindow(extended, windowClass, text, style, place.left, place.top,
                                place.right - place.left, place.bottom - place.top, parent, menu,
                                m_module, parameter);
        });
    }

    DrawingResources& Resources() { return m_resources; }
    // The module whose resources hold the forms' pictures and icons.
    HINSTANCE Module() const { return m_module; }

    // A handler run from a window procedure threw: the error is kept and raised again where
    // the host's loop returns to the model (DoEvents, the modal loop).
    void KeepError(std::exception_ptr error);

    // forms::UiHost
    void FormLoaded(forms::Form& form) override;
    void FormUnloaded(forms::Form& form) override;
    void Show(forms::Form& form) override;
    void Hide(forms::Form& form) override;
    void ShowModal(forms::Form& form, forms::Form* owner) override;
    void DoEvents() override;
    void ShowMessage(const forms::Form* owner, const std::string& text,
                     const std::string& title) override;
    bool TakesInput(const forms::Form& form) const override;
    int ScreenWidth() const override;
    int ScreenHeight() const override;
    void FormChanged(const forms::Form& form, forms::Property what) override;
    void ControlChanged(const forms::Control& control, forms::Property what) override;

private:
    struct ModalShow {
        const forms::Form* form;
        bool* ended;
        // The windows the show disabled, enabled again as it ends.
        DisabledWindows* disabled;
    };

    FormWindow* Find(const forms::Form& form) const;
    FormWindow* FindByWindow(HWND window) const;
    void Dispatch(MSG& message);
    void RaiseKept();
    void EndModal(const forms::Form& form);
    // Places a top-level form as its start-up position says, by its real outer size.
    void Place(forms::Form& form, HWND owner);

    HINSTANCE m_module;
    // The module's manifest: every window is made inside it.
    ActivationContext m_context{m_module};
    WindowMaker m_makeWindow = &::CreateWindowExW;
    PixelScale m_scale;
    std::shared_ptr<WindowClasses> m_classes;
    DrawingResources m_resources;
    WindowHandle m_parking;  // hidden owner of the top-level forms
    std::map<const forms::Form*, std::unique_ptr<FormWindow>> m_windows;
    std::map<const forms::Form*, HWND> m_embedding;
    std::vector<ModalShow> m_modal;
    std::exception_ptr m_kept;
    DWORD m_lastLook = 0;
    bool m_queueBusy = true;
};

}  // namespace telvane::win32
