#pragma once

#include <string>

#include "platform/win32/com/ComPtr.h"
#include "platform/win32/ui/AccessibleProxy.h"
#include "platform/win32/ui/AccessibleSource.h"
#include "platform/win32/ui/ControlPeer.h"

namespace telvane::forms {
class Image;
class PictureBox;
}  // namespace telvane::forms

namespace telvane::win32 {

// A picture box or an image: a pane of the host's own class that shows a picture of the
// module's resources at its top left corner.
class PicturePeer final : public ControlPeer, private AccessibleSource {
public:
    PicturePeer(FormWindow& form, forms::PictureBox& box, int id);
    PicturePeer(FormWindow& form, forms::Image& image, int id);

    ~PicturePeer() override;

    void PaintPane(HDC dc) const override;
    LRESULT PaneAccessible(WPARAM wParam, LPARAM lParam) override;
    HBRUSH Background() const override;

private:
    // AccessibleSource
    bool AccessibleName(long child, std::wstring& name) const override;
    bool AccessibleRole(long child, long& role) const override;

    ComPtr<AccessibleProxy> m_accessible;
    std::string Picture() const;

    const forms::PictureBox* m_box = nullptr;
    const forms::Image* m_image = nullptr;
};

}  // namespace telvane::win32
