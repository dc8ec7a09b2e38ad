#pragma once

#include "platform/win32/ui/ControlPeer.h"

namespace telvane::forms {
class Label;
}  // namespace telvane::forms

namespace telvane::win32 {

// A label: a static control. One that sizes itself takes the width its caption has in the
// real font.
class LabelPeer final : public ControlPeer {
public:
    LabelPeer(FormWindow& form, forms::Label& label, int id);

    HBRUSH ControlColor(HDC dc) const override;
    HBRUSH Background() const override;

private:
    void Apply(forms::Property what) override;
    void Fit();
    // The window's alignment and prefix styles as the model's label has them now.
    void ApplyTextStyle();

    forms::Label& m_label;
};

}  // namespace telvane::win32
