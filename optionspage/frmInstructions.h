#pragma once

#include <memory>

#include "forms/CommandButton.h"
#include "forms/ControlArray.h"
#include "forms/Form.h"
#include "forms/Frame.h"
#include "forms/Image.h"
#include "forms/Label.h"

namespace telvane {

// "Instructions": what the product does and how the fax manager is used. Fixed text.
class frmInstructions : public forms::Form {
public:
    explicit frmInstructions(forms::UiHost& host);

    forms::ControlArray<forms::Frame> Frame1{"Frame1"};
    forms::ControlArray<forms::Label> lblInstruction{"lblInstruction"};
    forms::ControlArray<forms::Label> lblInstructions{"lblInstructions"};
    forms::ControlArray<forms::Label> Label1{"Label1"};
    forms::CommandButton cmdCancel{*this, "cmdCancel", {6000, 4800, 1275, 350}, "Close"};
    // Created with the frames, inside the second one: the legend of the list's ticks.
    std::unique_ptr<forms::Image> Image1;
};

}  // namespace telvane
