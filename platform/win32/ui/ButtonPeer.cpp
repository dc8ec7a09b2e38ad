// Product headers come before <windows.h>, whose macros share their names.
#include "forms/CommandButton.h"

#include "platform/win32/ui/ButtonPeer.h"

#include "platform/win32/com/TextConversion.h"

namespace telvane::win32 {
namespace {

DWORD ButtonStyle(const forms::CommandButton& button) {
    return button.Default() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

}  // namespace

ButtonPeer::ButtonPeer(FormWindow& form, forms::CommandButton& button, int id)
    : ControlPeer(form, button, id), m_button(button) {
    Create(L"BUTTON", WS_TABSTOP | ButtonStyle(button), 0, com::WideFromUtf8(button.Caption()),
           false);
}

void ButtonPeer::Apply(forms::Property what) {
    switch (what) {
        case forms::Property::Caption:
            ::SetWindowTextW(Window(), com::WideFromUtf8(m_button.Caption()).c_str());
            break;
        case forms::Property::Appearance:
            ::SendMessageW(Window(), BM_SETSTYLE, ButtonStyle(m_button), TRUE);
            break;
        default:
            ControlPeer::Apply(what);
            break;
    }
}

void ButtonPeer::Command(WORD code) {
    if (!Syncing() && code == BN_CLICKED)
        m_button.UserClick();
}

}  // namespace telvane::win32
