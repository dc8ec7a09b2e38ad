#include "platform/memory/outlook/MemoryInspector.h"

#include "platform/memory/outlook/MemoryItem.h"

namespace telvane::memory {

MemoryInspector::MemoryInspector(std::shared_ptr<ClientState> state,
                                 std::shared_ptr<MemoryItem> item)
    : ClientObject(std::move(state)), m_item(std::move(item)) {}

std::shared_ptr<outlook::Item> MemoryInspector::CurrentItem() {
    m_state->Enter(Operation::InspectorCurrentItem);
    return m_item;
}

outlook::Subscription MemoryInspector::Advise(const Events& handlers) {
    m_state->Enter(Operation::InspectorAdvise);
    return m_state->Track(m_events.Advise(handlers));
}

void MemoryInspector::CloseWindow() {
    if (m_phase != Phase::Open)
        return;
    auto self = shared_from_this();
    auto state = m_state;
    m_phase = Phase::Closing;
    m_events.Raise(&Events::Close, "Inspector.Close", state->handlerErrors);
    state->Forget(this);
    m_phase = Phase::Closed;
}

}  // namespace telvane::memory
