#pragma once

#include <string>
#include <string_view>

#include "forms/Property.h"

namespace telvane::forms {

class Control;
class Form;

// What the window model needs from the platform: windows that appear and go, a modal loop,
// letting pending window messages run, and a place to follow property changes. The Win32 host
// keeps native windows in step with the model; the headless host draws nothing and lets tests
// act as the user. Forms reach their host through Form::Host(); the product keeps the host in
// its library state and hands it to the forms it creates.
class UiHost {
public:
    UiHost() = default;
    UiHost(const UiHost&) = delete;
    UiHost& operator=(const UiHost&) = delete;
    virtual ~UiHost() = default;

    // The form has been loaded (before its Form_Load runs): a native host creates its window.
    virtual void FormLoaded(Form& form) = 0;
    // The form has been unloaded or destroyed while loaded: a native host destroys its window,
    // and a modal show of the form ends. Called from ~Form too, when the controls are gone.
    virtual void FormUnloaded(Form& form) = 0;
    // Shows a loaded form without blocking.
    virtual void Show(Form& form) = 0;
    // The form was hidden; a modal show of it ends.
    virtual void Hide(Form& form) = 0;
    // Runs the form's modal loop and returns once the form is unloaded or hidden. The form is
    // already visible and placed; `owner` may be null.
    virtual void ShowModal(Form& form, Form* owner) = 0;
    // Lets pending window messages run (user input included), then returns.
    virtual void DoEvents() = 0;
    // Shows a message with an OK button, modally over `owner` (null: no owner), and returns when
    // it is dismissed. (Not called MessageBox: <windows.h> defines that name as a macro.)
    virtual void ShowMessage(const Form* owner, const std::string& text,
                             const std::string& title) = 0;
    // Whether the form may take user input now: false while another modal form is over it.
    virtual bool TakesInput(const Form& form) const = 0;

    // Screen size in twips, for centring forms.
    virtual int ScreenWidth() const { return 1024 * 15; }
    virtual int ScreenHeight() const { return 768 * 15; }

    // A property of a loaded form or of one of its controls changed.
    virtual void FormChanged(const Form& form, Property what) {
        static_cast<void>(form);
        static_cast<void>(what);
    }
    virtual void ControlChanged(const Control& control, Property what) {
        static_cast<void>(control);
        static_cast<void>(what);
    }
    // A user action was refused because its control or form cannot take input (disabled,
    // hidden, inside a disabled frame, or under a modal form). `control` is null for an action
    // on the form itself.
    virtual void InputRefused(const Form& form, const Control* control, std::string_view action) {
        static_cast<void>(form);
        static_cast<void>(control);
        static_cast<void>(action);
    }
};

}  // namespace telvane::forms
