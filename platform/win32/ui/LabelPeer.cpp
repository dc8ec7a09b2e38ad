// Product headers come before <windows.h>, whose macros share their names.
#include "forms/Form.h"
#include "forms/Label.h"

#include "platform/win32/ui/LabelPeer.h"

#include "platform/win32/com/TextConversion.h"
#include "platform/win32/ui/FormWindow.h"
#include "platform/win32/ui/Win32UiHost.h"

namespace telvane::win32 {
namespace {

DWORD Alignment(const forms::Label& label) {
    switch (label.Alignment()) {
        case forms::Alignment::RightJustify:
            return SS_RIGHT;
        case forms::Alignment::Center:
            return SS_CENTER;
        case forms::Alignment::LeftJustify:
            break;
    }
    // A label that sizes itself to one line must not break it where the estimate was short.
    return label.AutoSize() && !label.WordWrap() ? SS_LEFTNOWORDWRAP : SS_LEFT;
}

DWORD TextStyle(const forms::Label& label) {
    return Alignment(label) | (label.UseMnemonic() ? 0 : SS_NOPREFIX);
}

}  // namespace

LabelPeer::LabelPeer(FormWindow& form, forms::Label& label, int id)
    : ControlPeer(form, label, id), m_label(label) {
    Create(L"STATIC", TextStyle(label),
           label.BorderStyle() == forms::BorderStyle::FixedSingle ? WS_EX_CLIENTEDGE : 0,
           com::WideFromUtf8(label.Caption()), false);
    Fit();
}

void LabelPeer::Fit() {
    if (!m_label.AutoSize() || m_label.WordWrap()) {
        // The model's own size (a word-wrapping label grows in height only) is the window's.
        ApplyBounds();
        return;
    }
    // The model estimated the caption's width; here it is measured in the real font.
    Win32UiHost& host = Form().Host();
    const std::wstring caption = com::WideFromUtf8(m_label.Caption());
    const HDC dc = ::GetDC(Window());
    const HGDIOBJ previous = ::SelectObject(dc, host.Resources().Font(m_label.Font()));
    RECT extent{};
    ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &extent,
                DT_CALCRECT | DT_SINGLELINE | (m_label.UseMnemonic() ? 0 : DT_NOPREFIX));
    ::SelectObject(dc, previous);
    ::ReleaseDC(Window(), dc);
    const int width =
        extent.right + (m_label.BorderStyle() == forms::BorderStyle::FixedSingle ? 4 : 0);
    if (host.Pixels(m_label.Width()) != width)
        m_label.SetWidth(host.Twips(width));
    ApplyBounds();
}

void LabelPeer::Apply(forms::Property what) {
    switch (what) {
        case forms::Property::Caption:
            // UseMnemonic's change comes as a caption change: the text is drawn anew either way.
            ApplyTextStyle();
            ::SetWindowTextW(Window(), com::WideFromUtf8(m_label.Caption()).c_str());
            Fit();
            break;
        case forms::Property::Bounds:
            // The model sizes a label by its estimate after a caption change: measured again.
            Fit();
            break;
        case forms::Property::Font:
            ApplyFont(true);
            Fit();
            break;
        case forms::Property::Appearance:
            ApplyTextStyle();
            ::InvalidateRect(Window(), nullptr, TRUE);
            break;
        default:
            ControlPeer::Apply(what);
            break;
    }
}

void LabelPeer::ApplyTextStyle() {
    const auto now = static_cast<DWORD>(::GetWindowLongPtrW(Window(), GWL_STYLE));
    const DWORD style = (now & ~static_cast<DWORD>(SS_TYPEMASK | SS_NOPREFIX)) | TextStyle(m_label);
    if (style != now)
        ::SetWindowLongPtrW(Window(), GWL_STYLE, static_cast<LONG_PTR>(style));
}

HBRUSH LabelPeer::Background() const {
    if (m_label.BackStyle() == forms::BackStyle::Opaque)
        return Form().Host().Resources().Brush(m_label.BackColor());
    return ControlPeer::Background();
}

HBRUSH LabelPeer::ControlColor(HDC dc) const {
    ::SetTextColor(dc, DrawingResources::Rgb(m_label.ForeColor()));
    if (m_label.BackStyle() == forms::BackStyle::Transparent)
        ::SetBkMode(dc, TRANSPARENT);
    else
        ::SetBkColor(dc, DrawingResources::Rgb(m_label.BackColor()));
    return Background();
}

}  // namespace telvane::win32
