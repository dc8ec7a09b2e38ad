#include "optionspage/frmFaxManager.h"

#include <utility>

#include "common/outlook/RaisedError.h"
#include "optionspage/PageLibrary.h"

namespace telvane {

using forms::Bounds;

frmFaxManager::frmFaxManager(PageLibrary& library)
    : Form(library.Host(), "frmFaxManager"), m_library(library) {
    SetBorderStyle(forms::FormBorderStyle::FixedDialog);
    SetIcon("ProductIcon");
    SetClientSize(8340, 3870);
    SetShowInTaskbar(false);
    SetStartUpPosition(forms::StartUpPosition::CenterScreen);
    frmeControl.SetBorderStyle(forms::BorderStyle::None);

    auto& folders =
        lblCaption.Load(0, frmeControl, Bounds{120, 120, 1335, 195}, "Contact &Folders");
    auto& contacts =
        lblCaption.Load(1, frmeControl, Bounds{3510, 120, 1335, 195}, "Fax &Contacts for");
    for (forms::Label* caption : {&folders, &contacts}) {
        caption->SetFontBold(true);
        caption->SetAutoSize(true);
    }
    picList.SetBackColor(forms::Color::System(forms::SystemColor::HighlightText));
    lstContacts.SetSorted(true);
    lstContacts.SetStyle(forms::ListBoxStyle::Checkbox);
    lblWait.SetAlignment(forms::Alignment::Center);
    lblWait.SetFontSize(6.75);
    lblWait.SetVisible(false);
    cmdDisplay.SetVisible(false);
    pbWait.SetVisible(false);
    cmdSelect.Load(1, frmeControl, Bounds{6960, 345, 1275, 350}, "&Show All");
    cmdSelect.Load(0, frmeControl, Bounds{6960, 825, 1275, 350}, "&Hide All");
    cmdCancel.SetCancel(true);

    SetTabOrder({&lblCaption(0), &tvContacts, &lblCaption(1), &lstContacts, &lblWait, &cmdDisplay,
                 &cmdSelect(1), &cmdSelect(0), &cmdUpdate, &cmdCancel, &cmdInstructions,
                 &frmeControl, &picList, &pbWait});

    tvContacts.OnNodeClick([this](const auto& node) { tvContacts_NodeClick(node); });
    for (const auto& [index, button] : cmdSelect) {
        button->OnClick([this, index = index] { cmdSelect_Click(index); });
    }
    cmdUpdate.OnClick([this] { cmdUpdate_Click(); });
    cmdDisplay.OnClick([this] { cmdDisplay_Click(); });
    cmdInstructions.OnClick([this] { cmdInstructions_Click(); });
    cmdCancel.OnClick([this] { cmdCancel_Click(); });
}

void frmFaxManager::Form_Load() {
    SetCaption(PageLibrary::Title);
}

void frmFaxManager::Form_QueryUnload(bool& cancel, forms::UnloadMode mode) {
    // The close box stays live while a handler works; closing then would pull the window from
    // under the running operation.
    if (m_busy && mode == forms::UnloadMode::ControlMenu)
        cancel = true;
}

void frmFaxManager::Form_Unload(bool& cancel) {
    static_cast<void>(cancel);
    // Closing by the title bar lets go of the folders as Close does.
    m_library.modFaxManager.ReleaseFolders();
}

template <class Work>
void frmFaxManager::Guarded(const char* action, bool regenerateList, Work&& work) {
    const auto keepAlive = KeepAlive();
    m_busy = true;
    frmeControl.SetEnabled(false);
    try {
        std::forward<Work>(work)();
    } catch (const RaisedError& error) {
        Recover(action, error, regenerateList);
    }
    m_busy = false;
    if (IsLoaded())
        frmeControl.SetEnabled(true);
}

void frmFaxManager::Recover(const char* action, const RaisedError& error, bool regenerateList) {
    auto& module = m_library.modFaxManager;
    const auto contact = module.CurrentContact();
    std::string text = std::string("Telvane could not ") + action;
    // A contact without a file-as text is named by its place in the folder.
    if (!contact.strFileAs.empty()) {
        text += " at the contact \"" + contact.strFileAs + "\" (item " +
                std::to_string(contact.intPosition) + ")";
    } else if (contact.intPosition > 0) {
        text += " at item " + std::to_string(contact.intPosition) + " of the folder";
    }
    text += ".\n\n" + error.Description() + " (error " + std::to_string(error.Number()) + ")";
    SetMousePointer(forms::MousePointer::Default);
    lstContacts.SetVisible(true);
    module.ShowWaitState(false, 0, "");
    FolderEntry* folder = module.ListedFolder();
    if (regenerateList && folder && folder->objFolder && folder->objNode) {
        // Ticks and stored states must agree again, so the list is read afresh; the user is
        // told which of their ticks that undoes.
        const std::vector<std::string> dropped = PendingEntries();
        try {
            module.GenerateFaxList(*folder, folder->objNode);
        } catch (const RaisedError& again) {
            lstContacts.SetVisible(true);
            module.ShowWaitState(false, 0, "");
            text += "\n\nThe list could not be read again: " + again.Description();
        }
        if (!dropped.empty()) {
            text +=
                "\n\nThe list was read again from the folder: these changes were not "
                "written, and their ticks are undone:";
            for (const auto& name : dropped)
                text += "\n  " + name;
        }
    }
    Tell(text);
}

std::vector<std::string> frmFaxManager::PendingEntries() const {
    const auto& contacts = m_library.modFaxManager.m_arrContacts;
    std::vector<std::string> pending;
    for (int j = 0; j < lstContacts.ListCount(); ++j) {
        const auto position = static_cast<std::size_t>(lstContacts.ItemData(j));
        if (position < contacts.size() && lstContacts.Selected(j) != contacts[position].blnHidden) {
            pending.push_back(lstContacts.List(j).empty()
                                  ? "item " + std::to_string(position) + " of the folder"
                                  : lstContacts.List(j));
        }
    }
    return pending;
}

void frmFaxManager::Tell(const std::string& text) {
    m_lastMessage = text;
    Host().ShowMessage(this, text, PageLibrary::Title);
}

void frmFaxManager::tvContacts_NodeClick(const std::shared_ptr<forms::Node>& node) {
    Guarded("list the folder's contacts", false, [&] {
        auto& module = m_library.modFaxManager;
        // From here on the caption holds a folder's name, whose "&" is one of its characters
        // and no access key: "R&D" shows as it is, and Alt+D stays Display's.
        lblCaption(1).SetUseMnemonic(false);
        if (node->Tag() == "F") {
            auto& entry = module.m_arrFolders.at(static_cast<std::size_t>(node->Index()));
            lblCaption(1).SetCaption("Fax Contacts for " + entry.strName);
            module.GenerateFaxList(entry, node);
        } else {
            lblCaption(1).SetCaption("Fax Contacts for ");
            lstContacts.Clear();
            module.ForgetList();
        }
    });
}

void frmFaxManager::cmdSelect_Click(int index) {
    SetMousePointer(forms::MousePointer::Hourglass);
    Guarded("change the ticks", false, [&] {
        const bool target = index == 0;
        const int count = lstContacts.ListCount();
        if (count > 0) {
            m_library.modFaxManager.ShowWaitState(true, count, " list is updated...");
            for (int j = 0; j < count; ++j) {
                lstContacts.SetSelected(j, target);
                pbWait.SetValue(j);
            }
            m_library.modFaxManager.ShowWaitState(false, 0, "");
        }
    });
    SetMousePointer(forms::MousePointer::Default);
}

void frmFaxManager::cmdUpdate_Click() {
    std::vector<std::string> skipped;
    Guarded("update the contacts", true, [&] {
        if (lstContacts.ListCount() > 0)
            skipped = m_library.modFaxManager.UpdateFaxContacts();
    });
    if (!skipped.empty()) {
        std::string text =
            "These contacts were not updated: the folder changed since its list was made, and "
            "they are no longer where they were listed.\n";
        for (const auto& name : skipped)
            text += "\n  " + name;
        text += "\n\nChoose the folder again to list its contacts afresh.";
        Tell(text);
    }
}

void frmFaxManager::cmdDisplay_Click() {
    bool shown = true;
    Guarded("show the contact's details", false, [&] {
        const int highlighted = lstContacts.ListIndex();
        if (highlighted == -1)
            return;
        auto& module = m_library.modFaxManager;
        auto& entry =
            module.m_arrContacts.at(static_cast<std::size_t>(lstContacts.ItemData(highlighted)));
        shown = module.ShowContactDetails(entry);
    });
    if (!shown) {
        Tell(
            "The highlighted contact is no longer where it was listed: the folder changed since "
            "its list was made. Choose the folder again to list its contacts afresh.");
    }
}

void frmFaxManager::cmdInstructions_Click() {
    m_library.frmInstructions.Get().ShowModal(this);
}

void frmFaxManager::cmdCancel_Click() {
    m_library.modFaxManager.CloseFaxManager();
}

}  // namespace telvane
