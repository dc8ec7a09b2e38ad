#pragma once

#include <cstdint>
#include <memory>

#include "common/outlook/Explorers.h"
#include "platform/memory/outlook/ClientObject.h"

namespace telvane::memory {

class MemoryExplorers : public outlook::Explorers, private ClientObject {
public:
    explicit MemoryExplorers(std::shared_ptr<ClientState> state);

    std::int32_t Count() override;
};

}  // namespace telvane::memory
