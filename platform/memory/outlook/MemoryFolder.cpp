#include "platform/memory/outlook/MemoryFolder.h"

#include "platform/memory/outlook/MemoryFolders.h"
#include "platform/memory/outlook/MemoryItems.h"

namespace telvane::memory {

MemoryFolder::MemoryFolder(std::shared_ptr<ClientState> state, std::shared_ptr<FolderRecord> record)
    : ClientObject(std::move(state)), m_record(std::move(record)) {}

std::string MemoryFolder::Name() {
    m_state->Enter(Operation::FolderName, &m_record->failures);
    return m_record->name;
}

std::string MemoryFolder::EntryID() {
    m_state->Enter(Operation::FolderEntryID, &m_record->failures);
    return m_record->entryId;
}

std::int32_t MemoryFolder::DefaultItemType() {
    m_state->Enter(Operation::FolderDefaultItemType, &m_record->failures);
    return m_record->defaultItemType;
}

std::shared_ptr<outlook::Folders> MemoryFolder::Folders() {
    m_state->Enter(Operation::FolderFolders, &m_record->failures);
    return std::make_shared<MemoryFolders>(m_state, m_record);
}

std::shared_ptr<outlook::Items> MemoryFolder::Items() {
    m_state->Enter(Operation::FolderItems, &m_record->failures);
    return std::make_shared<MemoryItems>(m_state, m_record);
}

}  // namespace telvane::memory
