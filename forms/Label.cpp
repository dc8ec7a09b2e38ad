#include "forms/Label.h"

#include <algorithm>

#include "forms/Mnemonic.h"
#include "forms/TextMetrics.h"

namespace telvane::forms {

namespace {

// A single-line border is drawn sunken, two pixels on each side.
int BorderTwips(forms::BorderStyle style) {
    return style == forms::BorderStyle::FixedSingle ? 4 * kTwipsPerPixel : 0;
}

}  // namespace

Label::Label(Container& parent, std::string name, const Bounds& bounds, std::string caption)
    : Control(parent, ControlKind::Label, std::move(name), bounds), m_caption(std::move(caption)) {}

std::string Label::DisplayText() const {
    return m_useMnemonic ? Mnemonic::Parse(m_caption).DisplayText() : m_caption;
}

void Label::SetCaption(std::string caption) {
    if (caption == m_caption)
        return;
    m_caption = std::move(caption);
    Changed(Property::Caption);
    Fit();
}

void Label::SetAutoSize(bool autoSize) {
    m_autoSize = autoSize;
    Fit();
}

void Label::SetWordWrap(bool wordWrap) {
    m_wordWrap = wordWrap;
    Changed(Property::Appearance);
    Fit();
}

void Label::SetAlignment(forms::Alignment alignment) {
    m_alignment = alignment;
    Changed(Property::Appearance);
}

void Label::SetBorderStyle(forms::BorderStyle style) {
    m_borderStyle = style;
    Changed(Property::Appearance);
    Fit();
}

void Label::SetBackStyle(forms::BackStyle style) {
    m_backStyle = style;
    Changed(Property::Colors);
}

void Label::SetBackColor(Color color) {
    m_backColor = color;
    Changed(Property::Colors);
}

void Label::SetForeColor(Color color) {
    m_foreColor = color;
    Changed(Property::Colors);
}

void Label::SetUseMnemonic(bool use) {
    m_useMnemonic = use;
    Changed(Property::Caption);
    Fit();
}

void Label::Fit() {
    if (!m_autoSize)
        return;
    const std::string text = DisplayText();
    const int border = BorderTwips(m_borderStyle);
    const int lineHeight = TextMetrics::LineHeightTwips(Font());
    Bounds bounds = GetBounds();
    if (m_wordWrap) {
        // A wrapping label keeps its width and grows or shrinks in height.
        const auto lines = TextMetrics::WrapLines(text, Font(), bounds.width - border);
        bounds.height = static_cast<int>(lines.size()) * lineHeight + border;
    } else {
        const auto lines = TextMetrics::WrapLines(text, Font(), 0);
        int width = 0;
        for (const auto& line : lines) {
            width = std::max(width, TextMetrics::LineWidthTwips(line, Font()));
        }
        bounds.width = width + border;
        bounds.height = static_cast<int>(lines.size()) * lineHeight + border;
    }
    Move(bounds);
}

}  // namespace telvane::forms
