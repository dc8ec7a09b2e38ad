#pragma once

#include <string>

#include "forms/Color.h"
#include "forms/Control.h"

namespace telvane::forms {

// Static text. With AutoSize the label sizes itself to its caption (its width, or with
// WordWrap its height); the size is estimated from the font when no native host measures.
class Label : public Control {
public:
    Label(Container& parent, std::string name, const Bounds& bounds, std::string caption = {});

    const std::string& Caption() const { return m_caption; }
    void SetCaption(std::string caption);
    // The caption as drawn: access key markers removed when UseMnemonic is on.
    std::string DisplayText() const;

    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool autoSize);
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool wordWrap);
    forms::Alignment Alignment() const { return m_alignment; }
    void SetAlignment(forms::Alignment alignment);
    forms::BorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(forms::BorderStyle style);
    forms::BackStyle BackStyle() const { return m_backStyle; }
    void SetBackStyle(forms::BackStyle style);
    Color BackColor() const { return m_backColor; }
    void SetBackColor(Color color);
    Color ForeColor() const { return m_foreColor; }
    void SetForeColor(Color color);
    // Whether "&" marks an access key (on by default).
    bool UseMnemonic() const { return m_useMnemonic; }
    void SetUseMnemonic(bool use);

    std::string AccessKeyCaption() const override {
        return m_useMnemonic ? m_caption : std::string();
    }

private:
    void FontChanged() override { Fit(); }
    void Fit();

    std::string m_caption;
    bool m_autoSize = false;
    bool m_wordWrap = false;
    bool m_useMnemonic = true;
    forms::Alignment m_alignment = forms::Alignment::LeftJustify;
    forms::BorderStyle m_borderStyle = forms::BorderStyle::None;
    forms::BackStyle m_backStyle = forms::BackStyle::Opaque;
    Color m_backColor = Color::System(SystemColor::ButtonFace);
    Color m_foreColor = Color::System(SystemColor::ButtonText);
};

}  // namespace telvane::forms
