#pragma once

#include <memory>
#include <string>
#include <vector>

#include "forms/CommandButton.h"
#include "forms/ControlArray.h"
#include "forms/Form.h"
#include "forms/Frame.h"
#include "forms/Label.h"
#include "forms/ListBox.h"
#include "forms/PictureBox.h"
#include "forms/ProgressBar.h"
#include "forms/TreeView.h"

namespace telvane {

class PageLibrary;
class RaisedError;

// The fax manager: contact folders on the left, the chosen folder's fax contacts on the right,
// ticked when their numbers are hidden; Update writes the ticks back.
class frmFaxManager : public forms::Form {
public:
    explicit frmFaxManager(PageLibrary& library);

    forms::Frame frmeControl{*this, "frmeControl", {0, 0, 8295, 3855}};
    forms::ControlArray<forms::Label> lblCaption{"lblCaption"};
    forms::TreeView tvContacts{frmeControl, "tvContacts", {120, 345, 3375, 2760}};
    forms::PictureBox picList{frmeControl, "picList", {3510, 345, 3375, 2760}};
    forms::ListBox lstContacts{frmeControl, "lstContacts", {3510, 345, 3375, 2760}};
    forms::Label lblWait{frmeControl, "lblWait", {3510, 3150, 3375, 195}, "..."};
    forms::CommandButton cmdDisplay{
        frmeControl, "cmdDisplay", {3510, 3390, 3375, 350}, "&Display Highlighted Contact"};
    forms::ProgressBar pbWait{frmeControl, "pbWait", {3510, 3390, 3375, 345}};
    forms::ControlArray<forms::CommandButton> cmdSelect{"cmdSelect"};
    forms::CommandButton cmdUpdate{frmeControl, "cmdUpdate", {6960, 2760, 1275, 350}, "&Update"};
    forms::CommandButton cmdCancel{frmeControl, "cmdCancel", {6960, 3390, 1275, 350}, "Close"};
    forms::CommandButton cmdInstructions{
        frmeControl, "cmdInstructions", {120, 3390, 1275, 350}, "Instructions &?"};

    // What the user was last told after a failure or a skipped contact, for tests and the demo.
    const std::string& LastMessage() const { return m_lastMessage; }

protected:
    void Form_Load() override;
    void Form_QueryUnload(bool& cancel, forms::UnloadMode mode) override;
    void Form_Unload(bool& cancel) override;

private:
    void tvContacts_NodeClick(const std::shared_ptr<forms::Node>& node);
    void cmdSelect_Click(int index);
    void cmdUpdate_Click();
    void cmdDisplay_Click();
    void cmdInstructions_Click();
    void cmdCancel_Click();

    // Runs a handler's work with the frame shut; a failure is reported and the window made
    // usable again instead of being left disabled under an hourglass.
    template <class Work>
    void Guarded(const char* action, bool regenerateList, Work&& work);
    void Recover(const char* action, const RaisedError& error, bool regenerateList);
    void Tell(const std::string& text);
    // The texts of the entries whose tick differs from the stored state.
    std::vector<std::string> PendingEntries() const;

    PageLibrary& m_library;
    bool m_busy = false;
    std::string m_lastMessage;
};

}  // namespace telvane
