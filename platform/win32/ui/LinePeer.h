#pragma once

#include "platform/win32/ui/ControlPeer.h"

namespace telvane::forms {
class Line;
}  // namespace telvane::forms

namespace telvane::win32 {

// A line has no window: its container paints it, and any change of it paints that part of
// the container again.
class LinePeer final : public ControlPeer {
public:
    LinePeer(FormWindow& form, forms::Line& line, int id);

    void PaintInContainer(HDC dc) const override;

private:
    void Apply(forms::Property what) override;

    forms::Line& m_line;
};

}  // namespace telvane::win32
