#pragma once

#include <memory>

#include "common/outlook/Inspector.h"
#include "platform/memory/outlook/ClientObject.h"

namespace telvane::memory {

class MemoryItem;

// An item window. It shows one item object for its whole life and counts in
// Inspectors.Count from opening until its Close handlers have run.
class MemoryInspector : public outlook::Inspector,
                        public std::enable_shared_from_this<MemoryInspector>,
                        private ClientObject {
public:
    MemoryInspector(std::shared_ptr<ClientState> state, std::shared_ptr<MemoryItem> item);

    std::shared_ptr<outlook::Item> CurrentItem() override;
    outlook::Subscription Advise(const Events& handlers) override;

    bool IsOpen() const { return m_phase == Phase::Open; }
    const std::shared_ptr<MemoryItem>& Item() const { return m_item; }
    // Raises Close while still counted, then forgets the window. A second close does nothing.
    void CloseWindow();

private:
    enum class Phase { Open, Closing, Closed };
    Phase m_phase = Phase::Open;
    std::shared_ptr<MemoryItem> m_item;
    EventSource<Events> m_events;
};

}  // namespace telvane::memory
