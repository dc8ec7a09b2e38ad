#include "optionspage/frmDisplay.h"

namespace telvane {

frmDisplay::frmDisplay(forms::UiHost& host) : Form(host, "frmDisplay") {
    SetCaption("Contact Details");
    SetBorderStyle(forms::FormBorderStyle::FixedToolWindow);
    SetClientSize(5280, 2535);
    SetShowInTaskbar(false);
    SetStartUpPosition(forms::StartUpPosition::CenterOwner);

    const char* captions[] = {"First Name:", "Last Name:", "File As:", "Job Title:", "Company:"};
    for (int i = 0; i < 5; ++i) {
        auto& caption =
            lblCaption.Load(i, *this, forms::Bounds{120, 150 + 360 * i, 900, 195}, captions[i]);
        caption.SetAutoSize(true);
        caption.SetTabStop(false);
        auto& value = lblValue.Load(i, *this, forms::Bounds{1080, 120 + 360 * i, 4095, 315});
        value.SetBorderStyle(forms::BorderStyle::FixedSingle);
        value.SetBackColor(forms::Color::System(forms::SystemColor::HighlightText));
        value.SetTabStop(false);
        // A company such as "Dorsey & Sons" is shown as written, not as an access key.
        value.SetUseMnemonic(false);
    }
    cmdCancel.SetCancel(true);
    cmdCancel.OnClick([this] { Unload(); });
}

}  // namespace telvane
