#pragma once

#include "platform/win32/ui/ControlPeer.h"

namespace telvane::forms {
class CommandButton;
}  // namespace telvane::forms

namespace telvane::win32 {

// A command button: a push button, the form's default one drawn as such.
class ButtonPeer final : public ControlPeer {
public:
    ButtonPeer(FormWindow& form, forms::CommandButton& button, int id);

    void Command(WORD code) override;

private:
    void Apply(forms::Property what) override;

    forms::CommandButton& m_button;
};

}  // namespace telvane::win32
