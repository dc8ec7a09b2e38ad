#pragma once

#include <memory>

#include "common/outlook/NameSpace.h"
#include "platform/memory/outlook/ClientObject.h"

namespace telvane::memory {

class MemoryNameSpace : public outlook::NameSpace, private ClientObject {
public:
    explicit MemoryNameSpace(std::shared_ptr<ClientState> state);

    std::shared_ptr<outlook::Folders> Folders() override;
};

}  // namespace telvane::memory
