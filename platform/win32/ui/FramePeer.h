#pragma once

#include "platform/win32/ui/ControlPeer.h"

namespace telvane::forms {
class Frame;
}  // namespace telvane::forms

namespace telvane::win32 {

// A frame: a pane of the host's own class that holds its controls' windows and paints its
// etched edge and caption.
class FramePeer final : public ControlPeer {
public:
    FramePeer(FormWindow& form, forms::Frame& frame, int id);

    void PaintPane(HDC dc) const override;

private:
    forms::Frame& m_frame;
};

}  // namespace telvane::win32
