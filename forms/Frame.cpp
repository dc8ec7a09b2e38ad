#include "forms/Frame.h"

namespace telvane::forms {

Frame::Frame(Container& parent, std::string name, const Bounds& bounds, std::string caption)
    : Control(parent, ControlKind::Frame, std::move(name), bounds), m_caption(std::move(caption)) {}

void Frame::SetCaption(std::string caption) {
    if (caption == m_caption)
        return;
    m_caption = std::move(caption);
    Changed(Property::Caption);
}

void Frame::SetBorderStyle(forms::BorderStyle style) {
    m_borderStyle = style;
    Changed(Property::Appearance);
}

}  // namespace telvane::forms
