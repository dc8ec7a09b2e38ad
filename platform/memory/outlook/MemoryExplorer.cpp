#include "platform/memory/outlook/MemoryExplorer.h"

namespace telvane::memory {

MemoryExplorer::MemoryExplorer(std::shared_ptr<ClientState> state)
    : ClientObject(std::move(state)) {}

outlook::Subscription MemoryExplorer::Advise(const Events& handlers) {
    m_state->Enter(Operation::ExplorerAdvise);
    return m_state->Track(m_events.Advise(handlers));
}

void MemoryExplorer::Activate() {
    if (m_phase == Phase::Open)
        m_state->Activate(shared_from_this());
}

void MemoryExplorer::CloseWindow() {
    if (m_phase != Phase::Open)
        return;
    auto self = shared_from_this();
    auto state = m_state;
    m_phase = Phase::Closing;
    m_events.Raise(&Events::Close, "Explorer.Close", state->handlerErrors);
    state->Forget(this);
    m_phase = Phase::Closed;
}

}  // namespace telvane::memory
