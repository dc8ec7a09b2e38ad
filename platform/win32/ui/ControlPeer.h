#pragma once

#include <windows.h>

#include <string>

#include "forms/Property.h"
#include "platform/win32/ui/GdiObjects.h"

namespace telvane::forms {
class Control;
}  // namespace telvane::forms

namespace telvane::win32 {

class DrawingResources;
class FormWindow;

// The native side of one control: the child window it owns (none for a line), kept in step
// with the model's notices, and native input turned into the model's User... actions. Each
// control kind has its own peer; FormWindow makes them through ControlPeerFactory.
class ControlPeer {
public:
    ControlPeer(const ControlPeer&) = delete;
    ControlPeer& operator=(const ControlPeer&) = delete;
    virtual ~ControlPeer();

    forms::Control& Control() const { return m_control; }
    // Null for a line.
    HWND Window() const { return m_window.Get(); }
    int Id() const { return m_id; }

    void Changed(forms::Property what);
    // Notices from the native control, sent to its parent window.
    virtual void Command(WORD code);
    virtual bool Notify(const NMHDR& header, LRESULT& result);
    virtual void DrawItem(const DRAWITEMSTRUCT& draw) const;
    // The brush a static or button control is drawn on (null: the system's).
    virtual HBRUSH ControlColor(HDC dc) const;
    // Paints what a pane shows (picture, frame caption and edge).
    virtual void PaintPane(HDC dc) const;
    // The background a pane or a label is painted with.
    virtual HBRUSH Background() const;
    // The form's window is about to show (it is not visible yet).
    virtual void FormShowing();
    // A pane's answer to WM_GETOBJECT (0: Windows' own); controls answer in their own procedure.
    virtual LRESULT PaneAccessible(WPARAM wParam, LPARAM lParam);
    // What the container paints for a control without a window (a line).
    virtual void PaintInContainer(HDC dc) const;
    // The form's window is about to go and takes this one with it: its procedures no longer
    // reach this peer, and the peer no longer destroys it.
    void Detach();

protected:
    ControlPeer(FormWindow& form, forms::Control& control, int id);

    // Creates the child window; raises WindowNotCreated when it cannot be made. A pane is one of
    // the host's own windows, painted by the form's procedure; other controls are subclassed.
    void Create(const wchar_t* windowClass, DWORD style, DWORD extended,
                const std::wstring& caption, bool pane);
    // What a property change does to this kind of control; the common cases are handled here.
    virtual void Apply(forms::Property what);
    // True when the message was handled here and must not reach the control's own procedure.
    virtual bool Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Applies the model's font; `redraw` when the window is shown already.
    void ApplyFont(bool redraw);
    // The font the window draws with: the model's, unless a kind fits its caption to its box.
    virtual HFONT FontToApply(DrawingResources& resources) const;
    void ApplyBounds();

    FormWindow& Form() const { return m_form; }
    // Native notices caused by the host itself are not user input.
    bool Syncing() const { return m_syncing; }
    bool& SyncingFlag() { return m_syncing; }

private:
    // The window's procedures no longer reach this peer.
    void Unhook();
    static LRESULT CALLBACK Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    FormWindow& m_form;
    forms::Control& m_control;
    int m_id;
    WNDPROC m_original = nullptr;
    bool m_pane = false;
    bool m_syncing = false;
    WindowHandle m_window;
};

}  // namespace telvane::win32
