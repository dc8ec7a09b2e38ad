#include "platform/memory/outlook/MemoryExplorers.h"

namespace telvane::memory {

MemoryExplorers::MemoryExplorers(std::shared_ptr<ClientState> state)
    : ClientObject(std::move(state)) {}

std::int32_t MemoryExplorers::Count() {
    m_state->Enter(Operation::ExplorersCount);
    return static_cast<std::int32_t>(m_state->explorers.size());
}

}  // namespace telvane::memory
