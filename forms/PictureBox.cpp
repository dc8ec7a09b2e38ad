#include "forms/PictureBox.h"

namespace telvane::forms {

PictureBox::PictureBox(Container& parent, std::string name, const Bounds& bounds)
    : Control(parent, ControlKind::PictureBox, std::move(name), bounds) {}

void PictureBox::SetBackColor(Color color) {
    m_backColor = color;
    Changed(Property::Colors);
}

void PictureBox::SetBorderStyle(forms::BorderStyle style) {
    m_borderStyle = style;
    Changed(Property::Appearance);
}

void PictureBox::SetPicture(std::string picture) {
    m_picture = std::move(picture);
    Changed(Property::Picture);
}

bool PictureBox::UserClick() {
    if (!AcceptInput("click"))
        return false;
    TakeFocus();
    Raise(m_click);
    return true;
}

}  // namespace telvane::forms
