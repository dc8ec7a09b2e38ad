#include "forms/CheckBox.h"

#include "forms/FormsError.h"

namespace telvane::forms {

CheckBox::CheckBox(Container& parent, std::string name, const Bounds& bounds, std::string caption)
    : Control(parent, ControlKind::CheckBox, std::move(name), bounds),
      m_caption(std::move(caption)) {}

void CheckBox::SetCaption(std::string caption) {
    if (caption == m_caption)
        return;
    m_caption = std::move(caption);
    Changed(Property::Caption);
}

void CheckBox::SetValue(int value) {
    if (value < Unchecked || value > Grayed) {
        FormsError::Raise(FormsError::InvalidPropertyValue, Name());
    }
    if (value == m_value)
        return;
    m_value = value;
    Changed(Property::Value);
    Raise(m_click);
}

void CheckBox::SetBackColor(Color color) {
    m_backColor = color;
    Changed(Property::Colors);
}

bool CheckBox::UserClick() {
    if (!AcceptInput("click"))
        return false;
    TakeFocus();
    SetValue(m_value == Unchecked ? Checked : Unchecked);
    return true;
}

}  // namespace telvane::forms
