#include "platform/memory/outlook/MemoryNameSpace.h"

#include "platform/memory/outlook/MemoryFolders.h"

namespace telvane::memory {

MemoryNameSpace::MemoryNameSpace(std::shared_ptr<ClientState> state)
    : ClientObject(std::move(state)) {}

std::shared_ptr<outlook::Folders> MemoryNameSpace::Folders() {
    m_state->Enter(Operation::NameSpaceFolders);
    return std::make_shared<MemoryFolders>(m_state, m_state->root);
}

}  // namespace telvane::memory
