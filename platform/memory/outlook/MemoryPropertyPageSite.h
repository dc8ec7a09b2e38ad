#pragma once

#include <cstdint>
#include <memory>

#include "common/outlook/PropertyPageSite.h"
#include "platform/memory/outlook/ClientObject.h"

namespace telvane::memory {

// What the Options dialog gives a page: the way back to the application, and a count of the
// page's status changes.
class MemoryPropertyPageSite : public outlook::PropertyPageSite, private ClientObject {
public:
    explicit MemoryPropertyPageSite(std::shared_ptr<ClientState> state);

    std::shared_ptr<outlook::Application> Application() override;
    void OnStatusChange() override;

    std::int32_t StatusChanges() const { return m_statusChanges; }

private:
    std::int32_t m_statusChanges = 0;
};

}  // namespace telvane::memory
