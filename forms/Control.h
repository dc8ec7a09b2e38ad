#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "forms/Bounds.h"
#include "forms/ControlSettings.h"
#include "forms/Font.h"
#include "forms/Property.h"

namespace telvane::forms {

class Container;
class Form;

// The part every control shares: its name, place, visibility, enabled state, font and tab
// order. A control is a member of its form class and lives exactly as long as the form.
//
// Setting a property from code always works and is what the product does; methods named
// User... are what a person does with mouse and keyboard. A user action on a control that
// cannot take input (it or a container up to the form is hidden or disabled, or the form is
// not shown, or a modal form lies over it) is refused: it returns false, changes nothing and
// is reported to the host. Event handlers run synchronously, and the form is kept alive until
// a handler returns, even when the handler unloads it.
class Control {
public:
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control();

    ControlKind Kind() const { return m_kind; }
    // The name with its array index, e.g. "cmdSelect(0)".
    const std::string& Name() const { return m_name; }
    // The name without the index, e.g. "cmdSelect".
    const std::string& BaseName() const { return m_baseName; }
    std::optional<int> Index() const { return m_index; }

    // The frame or form the control lies in.
    Container& Parent() const { return m_parent; }
    Form& OwnerForm() const;

    // Position and size in twips, relative to the container.
    const Bounds& GetBounds() const { return m_bounds; }
    int Left() const { return m_bounds.left; }
    int Top() const { return m_bounds.top; }
    int Width() const { return m_bounds.width; }
    int Height() const { return m_bounds.height; }
    virtual void Move(const Bounds& bounds);
    void SetLeft(int left);
    void SetTop(int top);
    void SetWidth(int width);
    void SetHeight(int height);
    // Position relative to the form's client area, containers' offsets added.
    Bounds FormBounds() const;

    bool Visible() const { return m_visible; }
    void SetVisible(bool visible);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);

    const forms::Font& Font() const { return m_font; }
    void SetFont(const forms::Font& font);
    void SetFontBold(bool bold);
    void SetFontSize(double points);

    // Lines and images have no place in the tab order; TabIndex() is -1 for them.
    bool HasTabIndex() const;
    int TabIndex() const;
    // Moves the control to this position of the form's tab order, shifting the others, as the
    // designer does; setting the design's values in ascending order reproduces the design.
    void SetTabIndex(int index);
    bool TabStop() const { return m_tabStop; }
    void SetTabStop(bool tabStop);

    // Whether a person can use the control now (see the class comment).
    bool IsUsable() const;
    // Whether the control is of a kind that takes the focus and is usable.
    bool CanReceiveFocus() const;
    bool HasFocus() const;
    // Moves the focus here; raises error 5 when the control cannot receive it.
    void SetFocus();

    // The caption that carries the control's access key, if it has one.
    virtual std::string AccessKeyCaption() const { return {}; }

protected:
    Control(Container& parent, ControlKind kind, std::string name, const Bounds& bounds);

    // Tells a native peer that something changed (only while the form is loaded).
    void Changed(Property what) const;
    // Begins a user action: true when the control takes input; otherwise reports the refusal
    // to the host and returns false.
    bool AcceptInput(std::string_view action) const;
    // Sets the bounds without going through Move (for controls that compute their bounds).
    void StoreBounds(const Bounds& bounds);
    // Runs an event handler, keeping the form alive until it returns. The handler is copied
    // first, since it may replace itself.
    template <class Handler, class... Values>
    void Raise(const Handler& handler, Values&&... values) const {
        if (!handler)
            return;
        const std::shared_ptr<Form> keep = KeepFormAlive();
        Handler call = handler;
        call(std::forward<Values>(values)...);
    }
    std::shared_ptr<Form> KeepFormAlive() const;
    // Focus moved here by the user (no error when it cannot).
    void TakeFocus();
    // The font changed (a label sizing itself measures again).
    virtual void FontChanged() {}
    // Alt+access key reached this control (labels and frames are handled by the form).
    virtual bool AccessKeyPressed() { return false; }

private:
    template <class>
    friend class ControlArray;
    friend class Form;

    void SetArrayIndex(int index);

    Container& m_parent;
    const Control* m_parentControl;  // the parent frame, or null when the form holds it
    Form& m_form;
    ControlKind m_kind;
    std::string m_baseName;
    std::string m_name;
    std::optional<int> m_index;
    Bounds m_bounds;
    bool m_visible = true;
    bool m_enabled = true;
    bool m_tabStop = true;
    forms::Font m_font;
};

}  // namespace telvane::forms
