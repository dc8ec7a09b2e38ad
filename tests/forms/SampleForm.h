#pragma once

#include <string>
#include <vector>

#include "forms/CheckBox.h"
#include "forms/CommandButton.h"
#include "forms/ControlArray.h"
#include "forms/Form.h"
#include "forms/Frame.h"
#include "forms/Image.h"
#include "forms/Label.h"
#include "forms/Line.h"
#include "forms/ListBox.h"
#include "forms/PictureBox.h"
#include "forms/ProgressBar.h"
#include "forms/TreeView.h"

namespace telvane::forms::test {

// A window laid out like a manager dialog: everything inside one borderless frame, a tree on
// the left, a ticked list on the right, a button array, a cancel button. Its handlers record
// what they saw in `events`.
class SampleForm : public Form {
public:
    explicit SampleForm(UiHost& host, std::string name = "frmSample");
    ~SampleForm() override;

    Frame frmeControl{*this, "frmeControl", {0, 0, 6000, 3600}};
    PictureBox picList{frmeControl, "picList", {3000, 345, 2700, 2400}};
    ControlArray<Label> lblCaption{"lblCaption"};
    TreeView tvFolders{frmeControl, "tvFolders", {120, 345, 2700, 2400}};
    ListBox lstEntries{frmeControl, "lstEntries", {3000, 345, 2700, 2400}};
    ProgressBar pbWait{frmeControl, "pbWait", {3000, 2820, 1800, 345}};
    CheckBox chkOption{frmeControl, "chkOption", {120, 2820, 2700, 255}, "Hide &new numbers"};
    ControlArray<CommandButton> cmdSelect{"cmdSelect"};
    CommandButton cmdClose{frmeControl, "cmdClose", {4920, 3150, 960, 350}, "Close"};
    Line lnSeparator{frmeControl,
                     "lnSeparator",
                     120,
                     3100,
                     5880,
                     3100,
                     Color::System(SystemColor::InactiveTitleBar)};
    Image imgLogo{*this, "imgLogo", {5400, 60, 480, 240}, "ProductIcon"};

    std::vector<std::string> events;
    int loads = 0;
    bool cancelUnload = false;
    std::vector<UnloadMode> unloadModes;
    // Set when the form is destroyed (a weak_ptr would keep its memory from being freed).
    bool* destroyed = nullptr;

protected:
    void Form_Load() override;
    void Form_QueryUnload(bool& cancel, UnloadMode mode) override;

private:
    void cmdSelect_Click(int index);
    void cmdClose_Click();
};

}  // namespace telvane::forms::test
