#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <vector>

#include "forms/Property.h"
#include "platform/win32/ui/GdiObjects.h"

namespace telvane::forms {
class Control;
class Form;
}  // namespace telvane::forms

namespace telvane::win32 {

class ControlPeer;
class Win32UiHost;

// The native window of one loaded form and, through one ControlPeer each, its controls'
// children. Created hidden when the form loads and destroyed, children and all, when it
// unloads. Raises WindowNotCreated, leaving no window behind, when a window cannot be made.
class FormWindow {
public:
    // `parent` is the container's window of an embedded form; otherwise `owner` owns it.
    FormWindow(Win32UiHost& host, forms::Form& form, HWND parent, HWND owner);
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;
    ~FormWindow();

    HWND Window() const { return m_window.Get(); }
    forms::Form& Form() const { return m_form; }
    Win32UiHost& Host() const { return m_host; }
    bool Embedded() const { return m_embedded; }
    ControlPeer* Peer(const forms::Control& control) const;
    // The peer of a native window of this form (the control itself or a child it made).
    ControlPeer* PeerOf(HWND window) const;

    void Reparent(HWND parent, HWND owner);
    void SetOwner(HWND owner);
    void FormChanged(forms::Property what);
    void ControlChanged(const forms::Control& control, forms::Property what);
    // Native focus to the model's focused control.
    void ApplyFocus();
    // Before `window` is disabled or hidden: a focus inside it moves to the form's window.
    void KeepFocusOutOf(HWND window);
    // Where a native child sits: its container's window and its rectangle in it, in pixels.
    HWND ContainerWindow(const forms::Control& control) const;
    RECT PixelRect(const forms::Control& control) const;

    // The window procedure of the host's own windows (forms and panes).
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void ApplyBounds();
    void ApplyIcon();
    void FollowDpi();
    void ApplyCaption();
    void Paint(HWND window);
    // Whether the window and its ancestors below the form's window are enabled and shown.
    bool TakesFocus(HWND window) const;
    // Destroys the windows; the procedures no longer reach this object.
    void Release();

    Win32UiHost& m_host;
    forms::Form& m_form;
    bool m_embedded;
    WindowHandle m_window;
    std::vector<std::unique_ptr<ControlPeer>> m_controls;
    std::map<const forms::Control*, ControlPeer*> m_byControl;
    std::map<HWND, ControlPeer*> m_byWindow;
};

}  // namespace telvane::win32
