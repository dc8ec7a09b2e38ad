#include "optionspage/modFaxManager.h"

#include "common/FaxNumberRule.h"
#include "common/outlook/Application.h"
#include "common/outlook/ContactItem.h"
#include "common/outlook/Folders.h"
#include "common/outlook/Items.h"
#include "common/outlook/NameSpace.h"
#include "common/outlook/RaisedError.h"
#include "common/outlook/TryStep.h"
#include "optionspage/PageLibrary.h"

namespace telvane {
namespace {

constexpr const char* kContactFolderTag = "F";

// Drops the hourglass however the procedure ends.
class PointerGuard {
public:
    explicit PointerGuard(forms::Form& form) : m_form(form) {
        m_form.SetMousePointer(forms::MousePointer::Hourglass);
    }
    ~PointerGuard() { m_form.SetMousePointer(forms::MousePointer::Default); }
    PointerGuard(const PointerGuard&) = delete;
    PointerGuard& operator=(const PointerGuard&) = delete;

private:
    forms::Form& m_form;
};

}  // namespace

std::string modFaxManager::Str(std::int32_t number) {
    return number < 0 ? std::to_string(number) : " " + std::to_string(number);
}

std::string modFaxManager::CountsText(const std::string& name, std::int32_t items,
                                      std::int32_t hidden, std::int32_t displayed) {
    return name + " [" + Str(items) + " Contacts, " + Str(hidden) + " Hidden Fax #'s, " +
           Str(displayed) + " Displayed Fax #'s ]";
}

void modFaxManager::LoadContactFolders() {
    frmFaxManager& form = m_library.frmFaxManager.Get();
    form.SetMousePointer(forms::MousePointer::Hourglass);
    m_library.Host().DoEvents();
    m_intFolderMax = 5;
    m_arrFolders.assign(static_cast<std::size_t>(m_intFolderMax) + 1, FolderEntry{});
    ForgetList();
    m_listGenerated = false;

    std::shared_ptr<outlook::Folders> stores;
    TryStep([&] {
        auto application = m_library.m_objSite ? m_library.m_objSite->Application() : nullptr;
        if (!application)
            throw RaisedError(RaisedError::ObjectNotSet, PageLibrary::FileName,
                              "Object variable or With block variable not set");
        stores = application->GetNamespace("MAPI")->Folders();
    });
    form.tvContacts.Nodes().Clear();
    std::int32_t count = 0;
    if (stores)
        TryStep([&] { count = stores->Count(); });
    for (std::int32_t i = 1; i <= count; ++i) {
        std::shared_ptr<outlook::MAPIFolder> store;
        std::shared_ptr<forms::Node> node;
        // A store that cannot be read, or whose node the tree refuses, is left out.
        if (!TryStep([&] {
                store = stores->Item(i);
                node = form.tvContacts.Nodes().Add(store->EntryID(), store->Name());
            })) {
            continue;
        }
        node->SetExpanded(true);
        AddContactFolders(store, node);
    }
    form.SetMousePointer(forms::MousePointer::Default);
}

void modFaxManager::AddContactFolders(const std::shared_ptr<outlook::MAPIFolder>& parentFolder,
                                      const std::shared_ptr<forms::Node>& parentNode) {
    frmFaxManager& form = m_library.frmFaxManager.Get();
    try {
        const std::int32_t count = parentFolder->Folders()->Count();
        for (std::int32_t i = 1; i <= count; ++i) {
            auto folder = parentFolder->Folders()->Item(i);
            // A contact folder below a folder of another kind hangs under the nearest node
            // shown above it.
            std::shared_ptr<forms::Node> nodeBelow = parentNode;
            if (folder->DefaultItemType() == outlook::olContactItem) {
                auto node = form.tvContacts.Nodes().Add(parentNode, forms::TreeRelationship::Child,
                                                        folder->EntryID(), folder->Name());
                node->SetTag(kContactFolderTag);
                node->SetExpanded(true);
                const std::int32_t index = node->Index();
                if (index > m_intFolderMax) {
                    while (index > m_intFolderMax)
                        m_intFolderMax += 10;
                    m_arrFolders.resize(static_cast<std::size_t>(m_intFolderMax) + 1);
                }
                FolderEntry& entry = m_arrFolders[static_cast<std::size_t>(index)];
                entry.objFolder = folder;
                entry.objNode = node;
                entry.lngItems = folder->Items()->Count();
                entry.strName = node->Text();
                node->SetText(entry.strName + " [" + Str(entry.lngItems) + " Contacts ]");
                nodeBelow = node;
            }
            AddContactFolders(folder, nodeBelow);
        }
    } catch (const RaisedError&) {
        // The rest of this level is left out; the caller goes on with its next folder.
        m_library.Host().DoEvents();
    }
}

void modFaxManager::ReleaseFolders() {
    for (std::size_t i = 1; i < m_arrFolders.size(); ++i)
        m_arrFolders[i].objFolder.reset();
}

void modFaxManager::CloseFaxManager() {
    ReleaseFolders();
    m_library.frmFaxManager.Unload();
}

void modFaxManager::GenerateFaxList(FolderEntry& entry, const std::shared_ptr<forms::Node>& node) {
    frmFaxManager& form = m_library.frmFaxManager.Get();
    PointerGuard pointer(form);
    forms::ListBox& list = form.lstContacts;
    list.Clear();
    m_currentContact = {};
    m_listedFolder = static_cast<std::size_t>(node->Index());
    auto items = entry.objFolder->Items();
    const std::int32_t count = items->Count();
    m_arrContacts.assign(static_cast<std::size_t>(count) + 1, ContactEntry{});
    if (count == 0)
        return;

    ShowWaitState(true, count, " list is generated...");
    list.SetVisible(false);
    std::int32_t hidden = 0;
    std::int32_t displayed = 0;
    for (std::int32_t i = 1; i <= count; ++i) {
        m_currentContact = {"", i};
        auto item = items->Item(i);
        if (item->GetProperty("Class").ToInt32() == outlook::olContact) {
            auto contact = item->AsContactItem();
            bool hasFax = false;
            for (auto field : FaxFields)
                hasFax = hasFax || !contact->Get(field).empty();
            if (hasFax) {
                // Everything the entry shows is read before it is added, so a failure leaves
                // no entry whose tick disagrees with the contact.
                ContactEntry& record = m_arrContacts[static_cast<std::size_t>(i)];
                const std::string fileAs = contact->FileAs();
                m_currentContact.strFileAs = fileAs;
                const bool isHidden = HasHiddenFaxNumber(*contact);
                list.AddItem(fileAs);
                const int added = list.NewIndex();
                list.SetItemData(added, i);
                record.intIndex = i;
                record.strFileAs = fileAs;
                if (isHidden) {
                    list.SetSelected(added, true);
                    record.blnHidden = true;
                    ++hidden;
                } else {
                    ++displayed;
                }
            }
        }
        form.pbWait.SetValue(i);
    }
    m_currentContact = {};
    list.SetVisible(true);
    entry.lngHidden = hidden;
    entry.lngDisplayed = displayed;
    node->SetText(CountsText(entry.strName, entry.objFolder->Items()->Count(), hidden, displayed));
    m_listGenerated = true;
    ShowWaitState(false, 0, "");
}

void modFaxManager::ShowWaitState(bool wait, std::int32_t maximum, const std::string& ending) {
    frmFaxManager& form = m_library.frmFaxManager.Get();
    if (wait) {
        form.pbWait.SetValue(0);
        form.pbWait.SetMax(maximum);
        form.pbWait.SetVisible(true);
        form.lblWait.SetCaption("Please wait while the contact" + ending);
        form.lblWait.SetVisible(true);
        form.cmdDisplay.SetVisible(false);
    } else {
        // Until a list was made there is nothing to display: a failed first generation must
        // not uncover the button over an empty list.
        form.cmdDisplay.SetVisible(m_listGenerated);
        form.pbWait.SetVisible(false);
        form.lblWait.SetVisible(false);
        if (form.lstContacts.ListCount() > 0)
            form.lstContacts.SetListIndex(0);
    }
    m_library.Host().DoEvents();
}

FolderEntry* modFaxManager::ListedFolder() {
    if (m_listedFolder == 0 || m_listedFolder >= m_arrFolders.size())
        return nullptr;
    return &m_arrFolders[m_listedFolder];
}

void modFaxManager::ForgetList() {
    m_listedFolder = 0;
    m_arrContacts.clear();
}

FolderEntry& modFaxManager::FolderOfList() {
    FolderEntry* folder = ListedFolder();
    if (!folder) {
        throw RaisedError(RaisedError::ObjectNotSet, PageLibrary::FileName,
                          "No contact folder is chosen");
    }
    if (!folder->objFolder) {
        throw RaisedError(RaisedError::ObjectNotSet, PageLibrary::FileName,
                          "The chosen folder is no longer held");
    }
    return *folder;
}

std::shared_ptr<outlook::ContactItem> modFaxManager::ListedContact(outlook::Items& items,
                                                                   std::int32_t count,
                                                                   const ContactEntry& entry) {
    if (entry.intIndex < 1 || entry.intIndex > count)
        return nullptr;
    auto item = items.Item(entry.intIndex);
    if (!item || item->GetProperty("Class").ToInt32() != outlook::olContact)
        return nullptr;
    auto contact = item->AsContactItem();
    return contact->FileAs() == entry.strFileAs ? contact : nullptr;
}

bool modFaxManager::ShowContactDetails(ContactEntry& entry) {
    m_currentContact = {entry.strFileAs, entry.intIndex};
    auto items = FolderOfList().objFolder->Items();
    auto contact = ListedContact(*items, items->Count(), entry);
    if (!contact) {
        m_currentContact = {};
        return false;
    }
    const outlook::ContactField fields[] = {
        outlook::ContactField::FirstName,   outlook::ContactField::LastName,
        outlook::ContactField::FileAs,      outlook::ContactField::JobTitle,
        outlook::ContactField::CompanyName,
    };
    // Read before the window loads, so that a field that cannot be read leaves no window
    // behind holding the values of an earlier contact.
    std::string values[5];
    for (int i = 0; i < 5; ++i)
        values[i] = contact->Get(fields[i]);
    m_currentContact = {};
    frmDisplay& details = m_library.frmDisplay.Get();
    for (int i = 0; i < 5; ++i)
        details.lblValue(i).SetCaption(" " + values[i]);
    details.ShowModal(&m_library.frmFaxManager.Get());
    return true;
}

std::vector<std::string> modFaxManager::UpdateFaxContacts() {
    frmFaxManager& form = m_library.frmFaxManager.Get();
    m_currentContact = {};
    FolderEntry& folder = FolderOfList();
    forms::ListBox& list = form.lstContacts;
    std::vector<std::string> skipped;
    PointerGuard pointer(form);
    const int entries = list.ListCount();
    ShowWaitState(true, entries, "s are updated...");
    std::int32_t hidden = 0;
    std::int32_t displayed = 0;
    auto items = folder.objFolder->Items();
    const std::int32_t count = items->Count();
    for (int j = 0; j < entries; ++j) {
        const bool ticked = list.Selected(j);
        const std::int32_t position = list.ItemData(j);
        ContactEntry& record = m_arrContacts.at(static_cast<std::size_t>(position));
        if (ticked != record.blnHidden) {
            m_currentContact = {list.List(j), position};
            auto contact = ListedContact(*items, count, record);
            if (!contact) {
                skipped.push_back(list.List(j));
            } else {
                const bool changed = ticked ? HideFaxNumbers(*contact) : ShowFaxNumbers(*contact);
                m_library.Host().DoEvents();
                if (changed) {
                    contact->Save();
                    record.blnHidden = ticked;
                }
            }
            m_currentContact = {};
        }
        if (ticked) {
            ++hidden;
        } else {
            ++displayed;
        }
        form.pbWait.SetValue(j);
    }
    folder.objNode->SetText(CountsText(folder.strName, items->Count(), hidden, displayed));
    ShowWaitState(false, 0, "");
    return skipped;
}

}  // namespace telvane
