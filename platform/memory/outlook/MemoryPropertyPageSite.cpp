#include "platform/memory/outlook/MemoryPropertyPageSite.h"

#include "platform/memory/outlook/MemoryApplication.h"

namespace telvane::memory {

MemoryPropertyPageSite::MemoryPropertyPageSite(std::shared_ptr<ClientState> state)
    : ClientObject(std::move(state)) {}

std::shared_ptr<outlook::Application> MemoryPropertyPageSite::Application() {
    m_state->Enter(Operation::PropertyPageSiteApplication);
    return m_state->Application();
}

void MemoryPropertyPageSite::OnStatusChange() {
    m_state->Enter(Operation::PropertyPageSiteOnStatusChange);
    ++m_statusChanges;
}

}  // namespace telvane::memory
