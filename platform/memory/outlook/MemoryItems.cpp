#include "platform/memory/outlook/MemoryItems.h"

#include "common/outlook/RaisedError.h"
#include "platform/memory/outlook/MemoryItem.h"
#include "platform/memory/outlook/OutlookErrors.h"

namespace telvane::memory {

MemoryItems::MemoryItems(std::shared_ptr<ClientState> state, std::shared_ptr<FolderRecord> folder)
    : ClientObject(std::move(state)), m_folder(std::move(folder)) {}

std::int32_t MemoryItems::Count() {
    m_state->Enter(Operation::ItemsCount, &m_folder->failures);
    return static_cast<std::int32_t>(m_folder->items.size());
}

std::shared_ptr<outlook::Item> MemoryItems::Item(std::int32_t index) {
    m_state->Enter(Operation::ItemsItem, &m_folder->failures, index);
    if (index < 1 || static_cast<std::size_t>(index) > m_folder->items.size()) {
        throw RaisedError(OutlookErrors::IndexOutOfBounds, OutlookErrors::Source,
                          "Array index out of bounds.");
    }
    return std::make_shared<MemoryItem>(m_state, m_folder->items[index - 1]);
}

}  // namespace telvane::memory
