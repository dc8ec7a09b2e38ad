#include "platform/memory/outlook/FolderHandle.h"

#include <algorithm>
#include <stdexcept>

#include "platform/memory/outlook/ClientState.h"
#include "platform/memory/outlook/MemoryFolder.h"

namespace telvane::memory {
namespace {

std::size_t Index(std::int32_t position, std::size_t count, const char* what) {
    if (position < 1 || static_cast<std::size_t>(position) > count) {
        throw std::out_of_range(std::string(what) + " position " + std::to_string(position) +
                                " outside 1.." + std::to_string(count));
    }
    return static_cast<std::size_t>(position - 1);
}

std::shared_ptr<ItemRecord> NewRecord(outlook::OlObjectClass itemClass, std::string subject,
                                      ContactFields fields) {
    auto record = std::make_shared<ItemRecord>();
    record->itemClass = itemClass;
    record->subject = std::move(subject);
    record->stored = std::make_shared<const ContactFields>(std::move(fields));
    return record;
}

// An item lives in one folder at a time, as in the real store.
void TakeOutOf(FolderRecord& folder, const std::shared_ptr<ItemRecord>& item) {
    folder.items.erase(std::remove(folder.items.begin(), folder.items.end(), item),
                       folder.items.end());
    for (auto& sub : folder.folders)
        TakeOutOf(*sub, item);
}

}  // namespace

FolderHandle::FolderHandle(std::shared_ptr<ClientState> state, std::shared_ptr<FolderRecord> record)
    : m_state(std::move(state)), m_record(std::move(record)) {}

FolderHandle FolderHandle::AddFolder(std::string name, std::int32_t defaultItemType) const {
    auto folder = std::make_shared<FolderRecord>();
    folder->name = std::move(name);
    folder->entryId = m_state->NewEntryId();
    folder->defaultItemType = defaultItemType;
    m_record->folders.push_back(folder);
    return FolderHandle(m_state, folder);
}

std::int32_t FolderHandle::FolderCount() const {
    return static_cast<std::int32_t>(m_record->folders.size());
}

FolderHandle FolderHandle::Folder(std::int32_t position) const {
    return FolderHandle(m_state,
                        m_record->folders[Index(position, m_record->folders.size(), "folder")]);
}

void FolderHandle::RemoveFolder(std::int32_t position) const {
    auto index = Index(position, m_record->folders.size(), "folder");
    m_record->folders.erase(m_record->folders.begin() + static_cast<std::ptrdiff_t>(index));
}

ItemHandle FolderHandle::AddContact(ContactFields fields) const {
    return Append(NewRecord(outlook::olContact, {}, std::move(fields)));
}

ItemHandle FolderHandle::AddDistributionList(std::string name) const {
    return Append(NewRecord(outlook::olDistributionList, std::move(name), {}));
}

ItemHandle FolderHandle::AddMail(std::string subject) const {
    return Append(NewRecord(outlook::olMail, std::move(subject), {}));
}

ItemHandle FolderHandle::InsertContact(std::int32_t position, ContactFields fields) const {
    auto index = Index(position, m_record->items.size() + 1, "item");
    auto item = NewRecord(outlook::olContact, {}, std::move(fields));
    m_record->items.insert(m_record->items.begin() + static_cast<std::ptrdiff_t>(index), item);
    return ItemHandle(m_state, std::move(item));
}

void FolderHandle::InsertItem(std::int32_t position, const ItemHandle& item) const {
    auto& items = m_record->items;
    bool here = std::find(items.begin(), items.end(), item.Record()) != items.end();
    auto index = Index(position, items.size() + (here ? 0 : 1), "item");
    TakeOutOf(*m_state->root, item.Record());
    items.insert(items.begin() + static_cast<std::ptrdiff_t>(index), item.Record());
}

ItemHandle FolderHandle::RemoveItem(std::int32_t position) const {
    auto index = Index(position, m_record->items.size(), "item");
    ItemHandle item(m_state, m_record->items[index]);
    m_record->items.erase(m_record->items.begin() + static_cast<std::ptrdiff_t>(index));
    return item;
}

std::int32_t FolderHandle::ItemCount() const {
    return static_cast<std::int32_t>(m_record->items.size());
}

ItemHandle FolderHandle::Item(std::int32_t position) const {
    return ItemHandle(m_state, m_record->items[Index(position, m_record->items.size(), "item")]);
}

const std::string& FolderHandle::Name() const {
    return m_record->name;
}
const std::string& FolderHandle::EntryID() const {
    return m_record->entryId;
}
std::int32_t FolderHandle::DefaultItemType() const {
    return m_record->defaultItemType;
}
void FolderHandle::Rename(std::string name) const {
    m_record->name = std::move(name);
}
void FolderHandle::SetEntryID(std::string entryId) const {
    m_record->entryId = std::move(entryId);
}

std::shared_ptr<outlook::MAPIFolder> FolderHandle::Object() const {
    return std::make_shared<MemoryFolder>(m_state, m_record);
}

void FolderHandle::FailOn(std::string_view call, std::int32_t number) const {
    FailOn(call, Failure{.number = number});
}

void FolderHandle::FailOn(std::string_view call, Failure failure) const {
    m_state->PlanFailure(m_record->failures, OperationScope::Folder, call, std::move(failure));
}

void FolderHandle::ClearFailures() const {
    m_record->failures.Clear(m_state->armedFailures);
}

bool FolderHandle::IsTargetOf(const RecordedCall& call) const {
    return call.target == &m_record->failures;
}

ItemHandle FolderHandle::Append(std::shared_ptr<ItemRecord> item) const {
    m_record->items.push_back(item);
    return ItemHandle(m_state, std::move(item));
}

}  // namespace telvane::memory
