#pragma once

#include <memory>

#include "common/outlook/Explorer.h"
#include "platform/memory/outlook/ClientObject.h"

namespace telvane::memory {

// A folder window. It counts in Explorers.Count from opening until its Close handlers
// have run.
class MemoryExplorer : public outlook::Explorer,
                       public std::enable_shared_from_this<MemoryExplorer>,
                       private ClientObject {
public:
    explicit MemoryExplorer(std::shared_ptr<ClientState> state);

    outlook::Subscription Advise(const Events& handlers) override;

    bool IsOpen() const { return m_phase == Phase::Open; }
    void Activate();
    // Raises Close while still counted, then forgets the window. A second close does nothing.
    void CloseWindow();

private:
    enum class Phase { Open, Closing, Closed };
    Phase m_phase = Phase::Open;
    EventSource<Events> m_events;
};

}  // namespace telvane::memory
