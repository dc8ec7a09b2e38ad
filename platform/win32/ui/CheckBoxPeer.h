#pragma once

#include "platform/win32/ui/ControlPeer.h"
#include "platform/win32/ui/PixelScale.h"

namespace telvane::forms {
class CheckBox;
}  // namespace telvane::forms

namespace telvane::win32 {

// A check box: a button that the model ticks, so a click is the model's to decide.
class CheckBoxPeer final : public ControlPeer {
public:
    CheckBoxPeer(FormWindow& form, forms::CheckBox& box, int id);

    // Pixels the caption has in a check box's window: its width less the box and the gap
    // before the text (13 and 4 pixels at 96 DPI, themed or classic).
    static int TextRoom(HWND window, const PixelScale& scale);

    void Command(WORD code) override;
    HBRUSH ControlColor(HDC dc) const override;
    HBRUSH Background() const override;

private:
    void Apply(forms::Property what) override;
    // Narrowed when the face runs wider than the design's, so that the caption is not cut off.
    HFONT FontToApply(DrawingResources& resources) const override;

    forms::CheckBox& m_box;
};

}  // namespace telvane::win32
