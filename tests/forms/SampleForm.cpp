#include "tests/forms/SampleForm.h"

namespace telvane::forms::test {

SampleForm::SampleForm(UiHost& host, std::string name) : Form(host, std::move(name)) {
    SetCaption("Sample & <Test>");
    SetClientSize(6000, 3600);
    SetBorderStyle(FormBorderStyle::FixedDialog);
    SetStartUpPosition(StartUpPosition::CenterScreen);
    SetShowInTaskbar(false);
    SetIcon("ProductIcon");
    frmeControl.SetBorderStyle(BorderStyle::None);

    Label& folders = lblCaption.Load(0, frmeControl, Bounds{120, 120, 1000, 195}, "&Folders");
    folders.SetFontBold(true);
    folders.SetAutoSize(true);
    lblCaption.Load(1, frmeControl, Bounds{3000, 120, 2700, 195}, "&Entries");

    lstEntries.SetSorted(true);
    lstEntries.SetStyle(ListBoxStyle::Checkbox);
    pbWait.SetVisible(false);

    cmdSelect.Load(1, frmeControl, Bounds{4920, 2820, 960, 300}, "&Show All");
    cmdSelect.Load(0, frmeControl, Bounds{4920, 2460, 960, 300}, "&Hide All");
    for (const auto& [index, button] : cmdSelect) {
        button->OnClick([this, index = index] { cmdSelect_Click(index); });
    }
    cmdClose.SetCancel(true);
    cmdClose.OnClick([this] { cmdClose_Click(); });
    chkOption.OnClick(
        [this] { events.push_back("chkOption=" + std::to_string(chkOption.Value())); });
    tvFolders.OnNodeClick(
        [this](const std::shared_ptr<Node>& node) { events.push_back("node " + node->Key()); });

    // The design's tab order.
    SetTabOrder({&lblCaption(0), &tvFolders, &lblCaption(1), &lstEntries, &chkOption, &cmdSelect(1),
                 &cmdSelect(0), &cmdClose, &frmeControl, &picList, &pbWait});
}

SampleForm::~SampleForm() {
    if (destroyed != nullptr)
        *destroyed = true;
}

void SampleForm::Form_Load() {
    ++loads;
    events.push_back("load");
}

void SampleForm::Form_QueryUnload(bool& cancel, UnloadMode mode) {
    unloadModes.push_back(mode);
    cancel = cancelUnload;
}

void SampleForm::cmdSelect_Click(int index) {
    events.push_back("select " + std::to_string(index));
}

void SampleForm::cmdClose_Click() {
    events.push_back("close");
    Unload();
    // Handlers commonly go on after unloading their own form.
    events.push_back("closed");
}

}  // namespace telvane::forms::test
