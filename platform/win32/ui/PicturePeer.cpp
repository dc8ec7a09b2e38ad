// Product headers come before <windows.h>, whose macros share their names.
#include "forms/Image.h"
#include "forms/PictureBox.h"

#include "platform/win32/ui/PicturePeer.h"

#include <oleacc.h>

#include "platform/win32/ui/FormWindow.h"
#include "platform/win32/ui/Win32UiHost.h"
#include "platform/win32/ui/WindowClasses.h"

namespace telvane::win32 {

PicturePeer::PicturePeer(FormWindow& form, forms::PictureBox& box, int id)
    : ControlPeer(form, box, id), m_box(&box) {
    Create(WindowClasses::Pane, 0,
           box.BorderStyle() == forms::BorderStyle::FixedSingle ? WS_EX_CLIENTEDGE : 0, {}, true);
}

PicturePeer::PicturePeer(FormWindow& form, forms::Image& image, int id)
    : ControlPeer(form, image, id), m_image(&image) {
    Create(WindowClasses::Pane,
           image.BorderStyle() == forms::BorderStyle::FixedSingle ? WS_BORDER : 0, 0, {}, true);
}

PicturePeer::~PicturePeer() {
    if (m_accessible)
        m_accessible->Disconnect();
}

LRESULT PicturePeer::PaneAccessible(WPARAM wParam, LPARAM lParam) {
    return AccessibleProxy::Answer(Window(), wParam, lParam, *this, m_accessible);
}

// A picture is a graphic named by what it shows; a picture box without one holds controls.
bool PicturePeer::AccessibleName(long child, std::wstring& name) const {
    if (child != CHILDID_SELF)
        return false;
    const std::string picture = Picture();
    if (picture == "ProductIcon")
        name = L"Telvane";
    else if (picture == "CheckBoxLegend")
        name = L"Empty box: Show. Ticked box: Hide.";
    else
        return false;
    return true;
}

bool PicturePeer::AccessibleRole(long child, long& role) const {
    role = ROLE_SYSTEM_GRAPHIC;
    return child == CHILDID_SELF && !Picture().empty();
}

std::string PicturePeer::Picture() const {
    return m_box ? m_box->Picture() : m_image->Picture();
}

HBRUSH PicturePeer::Background() const {
    if (m_box)
        return Form().Host().Resources().Brush(m_box->BackColor());
    return ControlPeer::Background();
}

void PicturePeer::PaintPane(HDC dc) const {
    const std::string picture = Picture();
    if (picture.empty())
        return;
    Win32UiHost& host = Form().Host();
    // The pictures are drawn for 96 DPI and grow with the DPI, as the controls around them do.
    const PixelScale& scale = host.Scale();
    if (HBITMAP bitmap = host.Resources().Bitmap(host.Module(), picture)) {
        BITMAP size{};
        ::GetObjectW(bitmap, sizeof size, &size);
        const MemoryDcHandle source(::CreateCompatibleDC(dc));
        const HGDIOBJ previous = ::SelectObject(source.Get(), bitmap);
        ::StretchBlt(dc, 0, 0, scale.FromDefault(size.bmWidth), scale.FromDefault(size.bmHeight),
                     source.Get(), 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
        ::SelectObject(source.Get(), previous);
    } else {
        const int side = scale.FromDefault(32);
        if (HICON icon = host.Resources().Icon(host.Module(), picture, side))
            ::DrawIconEx(dc, 0, 0, icon, side, side, 0, nullptr, DI_NORMAL);
    }
}

}  // namespace telvane::win32
