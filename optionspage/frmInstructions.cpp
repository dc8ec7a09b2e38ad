#include "optionspage/frmInstructions.h"

namespace telvane {

using forms::Bounds;

frmInstructions::frmInstructions(forms::UiHost& host) : Form(host, "frmInstructions") {
    SetCaption("Instructions");
    SetBorderStyle(forms::FormBorderStyle::FixedToolWindow);
    SetClientSize(7410, 5235);
    SetShowInTaskbar(false);
    SetStartUpPosition(forms::StartUpPosition::CenterOwner);

    auto& overview = Frame1.Load(0, *this, Bounds{120, 120, 7215, 2055}, "Overview");
    auto& steps = Frame1.Load(1, *this, Bounds{120, 2280, 7215, 2415}, "Instructions");
    const auto wrapped = [](forms::Label& label) -> forms::Label& {
        label.SetWordWrap(true);
        label.SetFontBold(false);
        return label;
    };
    const auto sized = [](forms::Label& label) -> forms::Label& {
        label.SetFontBold(false);
        label.SetAutoSize(true);
        return label;
    };
    wrapped(lblInstruction.Load(
        0, overview, Bounds{240, 360, 6720, 615},
        "Outlook will show both Fax Numbers and Email addresses in the address dialog when "
        "addressing emails. Use Telvane to hide these Fax Numbers, showing just the email "
        "addresses that you wish to use."));
    wrapped(lblInstruction.Load(
        1, overview, Bounds{240, 1080, 6720, 495},
        "Telvane will also allow you to show these Fax Numbers if you need to see one or more fax "
        "addresses to send your email message by fax."));
    wrapped(lblInstruction.Load(
        2, overview, Bounds{240, 1560, 6720, 255},
        "Once updated you may turn on the option to hide Fax Numbers for all New Contacts."));
    sized(lblInstruction.Load(3, steps, Bounds{240, 360, 3000, 195},
                              "1. Select the Contact Folder to be updated."));
    wrapped(lblInstructions.Load(4, steps, Bounds{240, 720, 5580, 435},
                                 "2. Select/deselect the Contact to hide/show the Contact's Fax "
                                 "Number in the address dialog when addressing emails."));
    Image1 = std::make_unique<forms::Image>(steps, "Image1", Bounds{720, 1215, 195, 420},
                                            "CheckBoxLegend");
    sized(Label1.Load(0, steps, Bounds{960, 1200, 400, 195}, "Show"));
    sized(Label1.Load(1, steps, Bounds{960, 1425, 400, 195}, "Hide"));
    sized(Label1.Load(5, steps, Bounds{240, 1770, 3000, 195},
                      "3. Press Update to Save the changes."));
    sized(Label1.Load(6, steps, Bounds{240, 2085, 3000, 195},
                      "4. Repeat for any other Contact Folders to be modified."));
    for (auto* frame : {&overview, &steps})
        frame->SetFontBold(true);
    for (auto* label :
         {&lblInstruction(0), &lblInstruction(1), &lblInstruction(2), &lblInstruction(3),
          &lblInstructions(4), &Label1(0), &Label1(1), &Label1(5), &Label1(6)}) {
        label->SetTabStop(false);
    }
    cmdCancel.OnClick([this] { Unload(); });
}

}  // namespace telvane
