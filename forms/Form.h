#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "forms/Bounds.h"
#include "forms/Color.h"
#include "forms/Container.h"
#include "forms/Font.h"
#include "forms/FormSettings.h"
#include "forms/Property.h"

namespace telvane::forms {

class CommandButton;
class Control;
class UiHost;

// A window of the product. A form class derives from Form and declares its controls as
// members, with the design's names, captions, places (twips) and tab order; its constructor
// sets the remaining design properties and wires the controls' events to its handlers.
//
// Lifecycle: constructing a form creates it unloaded; Load() (or the first Show) loads it and
// runs Form_Load; Unload() runs Form_QueryUnload and Form_Unload and unloads it. A form held by
// a shared_ptr (FormInstance does this) stays alive until an event handler that unloads it has
// returned. Forms reach the platform through Host().
class Form : public Container, public std::enable_shared_from_this<Form> {
public:
    Form(UiHost& host, std::string name);
    ~Form() override;

    UiHost& Host() const { return m_host; }
    const std::string& Name() const { return m_name; }

    Form& OwnerForm() override { return *this; }
    const Form& OwnerForm() const override { return *this; }
    const forms::Font& InheritedFont() const override { return m_font; }

    // --- Design properties ---
    const std::string& Caption() const { return m_caption; }
    void SetCaption(std::string caption);
    // The icon's resource name; empty for none.
    const std::string& Icon() const { return m_icon; }
    void SetIcon(std::string icon);
    FormBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(FormBorderStyle style);
    forms::StartUpPosition StartUpPosition() const { return m_startUpPosition; }
    void SetStartUpPosition(forms::StartUpPosition position);
    bool ShowInTaskbar() const { return m_showInTaskbar; }
    void SetShowInTaskbar(bool show);
    // Whether the title bar has its system menu and close box.
    bool ControlBox() const { return m_controlBox; }
    void SetControlBox(bool controlBox);
    const forms::Font& Font() const { return m_font; }
    // The form's font; controls created afterwards start with it.
    void SetFont(const forms::Font& font);
    Color BackColor() const { return m_backColor; }
    void SetBackColor(Color color);

    // Inner size (twips), what the designer calls ScaleWidth and ScaleHeight. A new size set
    // while the form is loaded (by code, or by the host when the window is sized) raises
    // Form_Resize.
    int ClientWidth() const { return m_clientWidth; }
    int ClientHeight() const { return m_clientHeight; }
    void SetClientSize(int width, int height);
    // The window's place on the screen and its outer size, title bar and borders included.
    Bounds WindowBounds() const;
    void SetWindowPosition(int left, int top);
    // Border width and title bar height of the frame, in pixels.
    int FramePixels() const;
    int TitleBarPixels() const;

    // --- Run-time state ---
    forms::MousePointer MousePointer() const { return m_mousePointer; }
    void SetMousePointer(forms::MousePointer pointer);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);
    bool Visible() const { return m_visible; }
    bool IsLoaded() const { return m_loaded; }
    // Shown modally and not yet unloaded or hidden.
    bool IsModal() const { return m_modal; }
    // The owner given to the current modal show, or null.
    Form* Owner() const { return m_owner; }
    // Whether the form takes user input: loaded, shown, enabled and not under a modal form.
    bool TakesInput() const;

    // --- Controls ---
    // Every control of the form in creation order.
    const std::vector<Control*>& Controls() const { return m_controls; }
    // The control with that name (e.g. "cmdSelect(0)"), or null.
    Control* FindControl(std::string_view name) const;
    // The controls that have a tab index, in tab order.
    const std::vector<Control*>& TabOrder() const { return m_tabOrder; }
    // Sets the tab order to the given controls, in this order, as TabIndex 0, 1, 2...
    void SetTabOrder(const std::vector<Control*>& order);
    Control* ActiveControl() const { return m_activeControl; }
    // The button Esc presses, and the one Enter presses when the focus is on no button.
    CommandButton* CancelButton() const { return m_cancelButton; }
    CommandButton* DefaultButton() const { return m_defaultButton; }

    // --- Lifecycle ---
    // Loads the form when it is not loaded: the host creates its window, then Form_Load runs.
    void Load();
    // Runs Form_QueryUnload and Form_Unload; unless one of them cancels, the form becomes
    // unloaded and hidden and any modal show of it ends. Returns false when cancelled. Safe to
    // call from the form's own handlers. Unloading a form that is not loaded does nothing.
    bool Unload(UnloadMode mode = UnloadMode::Code);
    // Shows the form without blocking (loading it first if needed).
    void Show();
    // Shows the form modally over `owner` (null: no owner) and returns once it is unloaded or
    // hidden. Raises error 400 when the form is already shown.
    void ShowModal(Form* owner = nullptr);
    void Hide();
    // Runs when the form is unloaded, after the host heard of it; FormInstance uses it to drop
    // its reference. One listener; an empty function clears it.
    void SetUnloadListener(std::function<void()> listener);
    // A strong reference when the form is owned by a shared_ptr, else null.
    std::shared_ptr<Form> KeepAlive();
    std::shared_ptr<const Form> KeepAlive() const;

    // --- User actions (false: refused or without effect) ---
    // Esc: presses the cancel button, if the form has one.
    bool UserPressEscape();
    // Enter: presses the focused button, or else the default button.
    bool UserPressEnter();
    // Tab or Shift+Tab: moves the focus to the next control that takes it.
    bool UserPressTab(bool backwards = false);
    // Alt+key: a button or check box with that access key is pressed; a label or frame moves the
    // focus to the next control after it in the tab order.
    bool UserPressAccessKey(char key);
    // The title bar's close box: unloads the form with UnloadMode::ControlMenu.
    bool UserClose();

protected:
    virtual void Form_Load() {}
    virtual void Form_QueryUnload(bool& cancel, UnloadMode mode) {
        static_cast<void>(cancel);
        static_cast<void>(mode);
    }
    virtual void Form_Unload(bool& cancel) { static_cast<void>(cancel); }
    // The client area changed size while the form was loaded.
    virtual void Form_Resize() {}

    void Changed(Property what) const;
    // Reports a refused user action on the form to the host; returns false.
    bool Refuse(std::string_view action) const;

private:
    friend class Control;
    friend class CommandButton;

    void Register(Control& control);
    void Unregister(Control& control);
    void MoveInTabOrder(Control& control, int index);
    void SetActiveControl(Control* control);
    void SetCancelButton(CommandButton* button);
    void SetDefaultButton(CommandButton* button);
    void FocusFirstControl();
    void Place(const Form* owner);

    UiHost& m_host;
    std::string m_name;
    std::string m_caption;
    std::string m_icon;
    FormBorderStyle m_borderStyle = FormBorderStyle::Sizable;
    forms::StartUpPosition m_startUpPosition = forms::StartUpPosition::WindowsDefault;
    bool m_showInTaskbar = true;
    bool m_controlBox = true;
    forms::Font m_font;
    Color m_backColor = Color::System(SystemColor::ButtonFace);
    int m_clientWidth = 4800;
    int m_clientHeight = 3600;
    int m_left = 0;
    int m_top = 0;
    forms::MousePointer m_mousePointer = forms::MousePointer::Default;
    bool m_enabled = true;
    bool m_visible = false;
    bool m_loaded = false;
    bool m_unloading = false;
    bool m_modal = false;
    Form* m_owner = nullptr;
    std::vector<Control*> m_controls;
    std::vector<Control*> m_tabOrder;
    Control* m_activeControl = nullptr;
    CommandButton* m_cancelButton = nullptr;
    CommandButton* m_defaultButton = nullptr;
    std::function<void()> m_unloadListener;
};

}  // namespace telvane::forms
