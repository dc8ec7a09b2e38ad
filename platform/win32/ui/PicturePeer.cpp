// Product headers come before <windows.h>, whose macros share their names.
#include "forms/Image.h"
#include "forms/PictureBox.h"

#include "platform/win32/ui/PicturePeer.h"

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
    if (HBITMAP bitmap = host.Resources().Bitmap(host.Module(), picture)) {
        BITMAP size{};
        ::GetObjectW(bitmap, sizeof size, &size);
        const MemoryDcHandle source(::CreateCompatibleDC(dc));
        const HGDIOBJ previous = ::SelectObject(source.Get(), bitmap);
        ::BitBlt(dc, 0, 0, size.bmWidth, size.bmHeight, source.Get(), 0, 0, SRCCOPY);
        ::SelectObject(source.Get(), previous);
    } else if (HICON icon = host.Resources().Icon(host.Module(), picture, 32)) {
        ::DrawIconEx(dc, 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL);
    }
}

}  // namespace telvane::win32
