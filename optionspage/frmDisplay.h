#pragma once

#include "forms/CommandButton.h"
#include "forms/ControlArray.h"
#include "forms/Form.h"
#include "forms/Label.h"

namespace telvane {

// "Contact Details": the highlighted contact's names and company, read only.
class frmDisplay : public forms::Form {
public:
    explicit frmDisplay(forms::UiHost& host);

    forms::ControlArray<forms::Label> lblCaption{"lblCaption"};
    forms::ControlArray<forms::Label> lblValue{"lblValue"};
    forms::CommandButton cmdCancel{*this, "cmdCancel", {3840, 2040, 1275, 350}, "Close"};
};

}  // namespace telvane
