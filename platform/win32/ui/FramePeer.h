#pragma once

#include "platform/win32/com/ComPtr.h"
#include "platform/win32/ui/AccessibleProxy.h"
#include "platform/win32/ui/AccessibleSource.h"
#include "platform/win32/ui/ControlPeer.h"

namespace telvane::forms {
class Frame;
}  // namespace telvane::forms

namespace telvane::win32 {

// A frame: a pane of the host's own class that holds its controls' windows and paints its
// etched edge and caption.
class FramePeer final : public ControlPeer, private AccessibleSource {
public:
    FramePeer(FormWindow& form, forms::Frame& frame, int id);

    ~FramePeer() override;

    void PaintPane(HDC dc) const override;
    LRESULT PaneAccessible(WPARAM wParam, LPARAM lParam) override;

private:
    // AccessibleSource
    bool AccessibleName(long child, std::wstring& name) const override;
    bool AccessibleRole(long child, long& role) const override;

    ComPtr<AccessibleProxy> m_accessible;
    forms::Frame& m_frame;
};

}  // namespace telvane::win32
