#pragma once

#include <cstdint>
#include <memory>

#include "common/outlook/Items.h"
#include "platform/memory/outlook/ClientObject.h"

namespace telvane::memory {

// The live item collection of one folder. Each Item call answers a fresh item object with
// its own open copy, as the real client does.
class MemoryItems : public outlook::Items, private ClientObject {
public:
    MemoryItems(std::shared_ptr<ClientState> state, std::shared_ptr<FolderRecord> folder);

    std::int32_t Count() override;
    std::shared_ptr<outlook::Item> Item(std::int32_t index) override;

private:
    std::shared_ptr<FolderRecord> m_folder;
};

}  // namespace telvane::memory
