#include "forms/CommandButton.h"

#include "forms/Form.h"

namespace telvane::forms {

CommandButton::CommandButton(Container& parent, std::string name, const Bounds& bounds,
                             std::string caption)
    : Control(parent, ControlKind::CommandButton, std::move(name), bounds),
      m_caption(std::move(caption)) {}

CommandButton::~CommandButton() {
    Form& form = OwnerForm();
    if (form.CancelButton() == this)
        form.SetCancelButton(nullptr);
    if (form.DefaultButton() == this)
        form.SetDefaultButton(nullptr);
}

void CommandButton::SetCaption(std::string caption) {
    if (caption == m_caption)
        return;
    m_caption = std::move(caption);
    Changed(Property::Caption);
}

bool CommandButton::Cancel() const {
    return OwnerForm().CancelButton() == this;
}

void CommandButton::SetCancel(bool cancel) {
    Form& form = OwnerForm();
    if (cancel) {
        form.SetCancelButton(this);
    } else if (form.CancelButton() == this) {
        form.SetCancelButton(nullptr);
    }
    Changed(Property::Appearance);
}

bool CommandButton::Default() const {
    return OwnerForm().DefaultButton() == this;
}

void CommandButton::SetDefault(bool isDefault) {
    Form& form = OwnerForm();
    if (isDefault) {
        form.SetDefaultButton(this);
    } else if (form.DefaultButton() == this) {
        form.SetDefaultButton(nullptr);
    }
    Changed(Property::Appearance);
}

void CommandButton::SetValue(bool pressed) {
    if (pressed)
        Raise(m_click);
}

bool CommandButton::UserClick() {
    return Press("click", true);
}

bool CommandButton::Press(std::string_view action, bool takeFocus) {
    if (!AcceptInput(action))
        return false;
    if (takeFocus)
        TakeFocus();
    Raise(m_click);
    return true;
}

}  // namespace telvane::forms
