#include "forms/Image.h"

namespace telvane::forms {

Image::Image(Container& parent, std::string name, const Bounds& bounds, std::string picture)
    : Control(parent, ControlKind::Image, std::move(name), bounds), m_picture(std::move(picture)) {}

void Image::SetPicture(std::string picture) {
    m_picture = std::move(picture);
    Changed(Property::Picture);
}

void Image::SetStretch(bool stretch) {
    m_stretch = stretch;
    Changed(Property::Appearance);
}

void Image::SetBorderStyle(forms::BorderStyle style) {
    m_borderStyle = style;
    Changed(Property::Appearance);
}

}  // namespace telvane::forms
