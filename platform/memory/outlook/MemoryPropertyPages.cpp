#include "platform/memory/outlook/MemoryPropertyPages.h"

namespace telvane::memory {

MemoryPropertyPages::MemoryPropertyPages(std::shared_ptr<ClientState> state)
    : ClientObject(std::move(state)) {}

void MemoryPropertyPages::Add(const Variant& page, const std::string& title) {
    m_state->Enter(Operation::PropertyPagesAdd);
    m_added.push_back({page, title});
}

}  // namespace telvane::memory
