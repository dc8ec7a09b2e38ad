#include "platform/memory/outlook/MemoryFolders.h"

#include "common/outlook/RaisedError.h"
#include "platform/memory/outlook/MemoryFolder.h"
#include "platform/memory/outlook/OutlookErrors.h"

namespace telvane::memory {

MemoryFolders::MemoryFolders(std::shared_ptr<ClientState> state,
                             std::shared_ptr<FolderRecord> owner)
    : ClientObject(std::move(state)), m_owner(std::move(owner)) {}

std::int32_t MemoryFolders::Count() {
    m_state->Enter(Operation::FoldersCount, &m_owner->failures);
    return static_cast<std::int32_t>(m_owner->folders.size());
}

std::shared_ptr<outlook::MAPIFolder> MemoryFolders::Item(std::int32_t index) {
    m_state->Enter(Operation::FoldersItem, &m_owner->failures, index);
    if (index < 1 || static_cast<std::size_t>(index) > m_owner->folders.size()) {
        throw RaisedError(OutlookErrors::IndexOutOfBounds, OutlookErrors::Source,
                          "Array index out of bounds.");
    }
    return std::make_shared<MemoryFolder>(m_state, m_owner->folders[index - 1]);
}

}  // namespace telvane::memory
