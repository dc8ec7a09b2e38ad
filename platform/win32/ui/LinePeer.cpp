// Product headers come before <windows.h>, whose macros share their names.
#include "forms/Line.h"

#include "platform/win32/ui/LinePeer.h"

#include "platform/win32/ui/FormWindow.h"
#include "platform/win32/ui/Win32UiHost.h"

namespace telvane::win32 {

LinePeer::LinePeer(FormWindow& form, forms::Line& line, int id)
    : ControlPeer(form, line, id), m_line(line) {}

void LinePeer::Apply(forms::Property what) {
    static_cast<void>(what);
    const RECT place = Form().PixelRect(m_line);
    RECT area{place.left - 2, place.top - 2, place.right + 2, place.bottom + 2};
    ::InvalidateRect(Form().ContainerWindow(m_line), &area, TRUE);
}

void LinePeer::PaintInContainer(HDC dc) const {
    if (!m_line.Visible())
        return;
    const Win32UiHost& host = Form().Host();
    const PenHandle pen(
        ::CreatePen(PS_SOLID, m_line.BorderWidth(), DrawingResources::Rgb(m_line.BorderColor())));
    const HGDIOBJ previous = ::SelectObject(dc, pen.Get());
    const int x1 = host.Pixels(m_line.X1());
    const int y1 = host.Pixels(m_line.Y1());
    const int x2 = host.Pixels(m_line.X2());
    const int y2 = host.Pixels(m_line.Y2());
    ::MoveToEx(dc, x1, y1, nullptr);
    // LineTo leaves out the last pixel; the design's line includes it.
    ::LineTo(dc, x2 + (x2 > x1 ? 1 : x2 < x1 ? -1 : 0), y2 + (y2 > y1 ? 1 : y2 < y1 ? -1 : 0));
    ::SelectObject(dc, previous);
}

}  // namespace telvane::win32
