#include "platform/memory/outlook/MemoryInspectors.h"

namespace telvane::memory {

MemoryInspectors::MemoryInspectors(std::shared_ptr<ClientState> state)
    : ClientObject(std::move(state)) {}

std::int32_t MemoryInspectors::Count() {
    m_state->Enter(Operation::InspectorsCount);
    return static_cast<std::int32_t>(m_state->inspectors.size());
}

outlook::Subscription MemoryInspectors::Advise(const Events& handlers) {
    m_state->Enter(Operation::InspectorsAdvise);
    return m_state->Track(m_state->inspectorsEvents.Advise(handlers));
}

}  // namespace telvane::memory
