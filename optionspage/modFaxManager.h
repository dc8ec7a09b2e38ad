#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/outlook/ContactItem.h"
#include "common/outlook/Items.h"
#include "common/outlook/MAPIFolder.h"
#include "forms/Node.h"
#include "optionspage/ContactEntry.h"
#include "optionspage/FolderEntry.h"

namespace telvane {

class PageLibrary;

// The fax manager's procedures and data: the folder tree, the fax contact list and the update
// that writes the ticks back to the contacts. Runs on the window frmFaxManager.
class modFaxManager {
public:
    explicit modFaxManager(PageLibrary& library) : m_library(library) {}
    modFaxManager(const modFaxManager&) = delete;
    modFaxManager& operator=(const modFaxManager&) = delete;

    // Builds the tree of stores and contact folders; never fails, shows what could be read.
    void LoadContactFolders();
    void AddContactFolders(const std::shared_ptr<outlook::MAPIFolder>& parentFolder,
                           const std::shared_ptr<forms::Node>& parentNode);
    // Releases the folders and unloads the window.
    void CloseFaxManager();
    void ReleaseFolders();

    void GenerateFaxList(FolderEntry& entry, const std::shared_ptr<forms::Node>& node);
    void ShowWaitState(bool wait, std::int32_t maximum, const std::string& ending);
    // Returns false, showing nothing, when the entry's position no longer holds its contact.
    bool ShowContactDetails(ContactEntry& entry);

    // Writes the pending ticks; returns the texts of entries skipped because their position no
    // longer holds the contact that was listed there.
    std::vector<std::string> UpdateFaxContacts();

    // What a failure should name: the contact being worked on (its file-as text, which may be
    // empty, and its position in the folder), or position 0 when none.
    struct WorkedOn {
        std::string strFileAs;
        std::int32_t intPosition = 0;
    };
    const WorkedOn& CurrentContact() const { return m_currentContact; }
    // The record in m_arrFolders of the folder the list was generated for, or null when the
    // list belongs to no folder. The tree's selection can move without a node click (a
    // collapsed parent takes it), so the list keeps its own folder.
    FolderEntry* ListedFolder();
    // Whether a list generation has run to its end since the window opened.
    bool ListGenerated() const { return m_listGenerated; }
    void ForgetList();

    std::vector<FolderEntry> m_arrFolders;
    std::int32_t m_intFolderMax = 0;
    std::vector<ContactEntry> m_arrContacts;

    // " 25": numbers in node texts carry the sign position, a blank when not negative.
    static std::string Str(std::int32_t number);
    static std::string CountsText(const std::string& name, std::int32_t items, std::int32_t hidden,
                                  std::int32_t displayed);

private:
    FolderEntry& FolderOfList();
    // The contact at the entry's position, or empty when the position no longer exists or no
    // longer holds the contact that was listed there.
    std::shared_ptr<outlook::ContactItem> ListedContact(outlook::Items& items, std::int32_t count,
                                                        const ContactEntry& entry);

    PageLibrary& m_library;
    WorkedOn m_currentContact;
    std::size_t m_listedFolder = 0;
    bool m_listGenerated = false;
};

}  // namespace telvane
