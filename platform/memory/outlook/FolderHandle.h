#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "common/outlook/MAPIFolder.h"
#include "platform/memory/outlook/ContactFields.h"
#include "platform/memory/outlook/Failure.h"
#include "platform/memory/outlook/ItemHandle.h"
#include "platform/memory/outlook/RecordedCall.h"

namespace telvane::memory {

class ClientState;
struct FolderRecord;

// A test's handle on one folder: builds its subfolders and items, changes it behind the
// product's back and plans failures of its calls. Positions are 1-based like the object
// model's; a position out of range throws std::out_of_range. Cheap to copy.
class FolderHandle {
public:
    FolderHandle(std::shared_ptr<ClientState> state, std::shared_ptr<FolderRecord> record);

    FolderHandle AddFolder(std::string name,
                           std::int32_t defaultItemType = outlook::olMailItem) const;
    std::int32_t FolderCount() const;
    FolderHandle Folder(std::int32_t position) const;
    void RemoveFolder(std::int32_t position) const;

    ItemHandle AddContact(ContactFields fields = {}) const;
    ItemHandle AddDistributionList(std::string name) const;
    ItemHandle AddMail(std::string subject) const;
    // A new contact at `position`, 1..ItemCount()+1.
    ItemHandle InsertContact(std::int32_t position, ContactFields fields) const;
    // Moves an item, from whatever folder holds it or from none, to `position` in this
    // folder as it is once the item has left its old place.
    void InsertItem(std::int32_t position, const ItemHandle& item) const;
    ItemHandle RemoveItem(std::int32_t position) const;
    std::int32_t ItemCount() const;
    ItemHandle Item(std::int32_t position) const;

    const std::string& Name() const;
    const std::string& EntryID() const;
    std::int32_t DefaultItemType() const;
    void Rename(std::string name) const;
    void SetEntryID(std::string entryId) const;

    // The folder as the object model answers it; not counted as a call.
    std::shared_ptr<outlook::MAPIFolder> Object() const;

    // Fails calls on this folder and its collections: "Name", "EntryID", "DefaultItemType",
    // "Folders", "Items", "Folders.Count", "Folders.Item", "Items.Count", "Items.Item".
    void FailOn(std::string_view call, std::int32_t number) const;
    void FailOn(std::string_view call, Failure failure) const;
    void ClearFailures() const;
    // Whether a recorded call was made on this folder (or, for a folder, its collections).
    bool IsTargetOf(const RecordedCall& call) const;

    friend bool operator==(const FolderHandle& a, const FolderHandle& b) {
        return a.m_record == b.m_record;
    }

private:
    ItemHandle Append(std::shared_ptr<ItemRecord> item) const;

    std::shared_ptr<ClientState> m_state;
    std::shared_ptr<FolderRecord> m_record;
};

}  // namespace telvane::memory
