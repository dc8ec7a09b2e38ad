#pragma once

#include <memory>
#include <utility>

#include "platform/memory/outlook/ClientState.h"

namespace telvane::memory {

// Base of every object the mail client hands out: holds the client's state and counts the
// objects alive, so a test can see that the product released everything it took.
class ClientObject {
public:
    ClientObject(const ClientObject&) = delete;
    ClientObject& operator=(const ClientObject&) = delete;

protected:
    explicit ClientObject(std::shared_ptr<ClientState> state) : m_state(std::move(state)) {
        ++m_state->liveObjects;
    }
    ~ClientObject() { --m_state->liveObjects; }

    const std::shared_ptr<ClientState> m_state;
};

}  // namespace telvane::memory
