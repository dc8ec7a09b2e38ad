// Product headers come before <windows.h>, whose macros share their names.
#include "forms/CheckBox.h"

#include "platform/win32/ui/CheckBoxPeer.h"

#include "platform/win32/com/TextConversion.h"
#include "platform/win32/ui/FormWindow.h"
#include "platform/win32/ui/Win32UiHost.h"

namespace telvane::win32 {

CheckBoxPeer::CheckBoxPeer(FormWindow& form, forms::CheckBox& box, int id)
    : ControlPeer(form, box, id), m_box(box) {
    Create(L"BUTTON", WS_TABSTOP | BS_CHECKBOX, 0, com::WideFromUtf8(box.Caption()), false);
    Changed(forms::Property::Range);
    Changed(forms::Property::Value);
}

void CheckBoxPeer::Apply(forms::Property what) {
    switch (what) {
        case forms::Property::Caption:
            ::SetWindowTextW(Window(), com::WideFromUtf8(m_box.Caption()).c_str());
            ApplyFont(true);
            break;
        case forms::Property::Bounds:
            ControlPeer::Apply(what);
            ApplyFont(true);
            break;
        case forms::Property::Value:
        case forms::Property::Range: {
            const int value = m_box.Value();
            ::SendMessageW(Window(), BM_SETCHECK,
                           value == forms::CheckBox::Checked  ? BST_CHECKED
                           : value == forms::CheckBox::Grayed ? BST_INDETERMINATE
                                                              : BST_UNCHECKED,
                           0);
            break;
        }
        default:
            ControlPeer::Apply(what);
            break;
    }
}

int CheckBoxPeer::TextRoom(HWND window, const PixelScale& scale) {
    RECT client{};
    ::GetClientRect(window, &client);
    return client.right - scale.FromDefault(13 + 4);
}

HFONT CheckBoxPeer::FontToApply(DrawingResources& resources) const {
    return resources.Fitting(m_box.Font(), com::WideFromUtf8(m_box.Caption()),
                             TextRoom(Window(), Form().Host().Scale()));
}

void CheckBoxPeer::Command(WORD code) {
    if (!Syncing() && code == BN_CLICKED)
        m_box.UserClick();
}

HBRUSH CheckBoxPeer::Background() const {
    return Form().Host().Resources().Brush(m_box.BackColor());
}

HBRUSH CheckBoxPeer::ControlColor(HDC dc) const {
    ::SetBkColor(dc, DrawingResources::Rgb(m_box.BackColor()));
    return Background();
}

}  // namespace telvane::win32
