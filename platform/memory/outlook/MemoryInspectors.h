#pragma once

#include <cstdint>
#include <memory>

#include "common/outlook/Inspectors.h"
#include "platform/memory/outlook/ClientObject.h"

namespace telvane::memory {

class MemoryInspectors : public outlook::Inspectors, private ClientObject {
public:
    explicit MemoryInspectors(std::shared_ptr<ClientState> state);

    std::int32_t Count() override;
    outlook::Subscription Advise(const Events& handlers) override;
};

}  // namespace telvane::memory
