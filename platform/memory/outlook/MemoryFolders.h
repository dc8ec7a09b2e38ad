#pragma once

#include <cstdint>
#include <memory>

#include "common/outlook/Folders.h"
#include "platform/memory/outlook/ClientObject.h"

namespace telvane::memory {

// The live subfolder collection of one folder (of the root for the stores).
class MemoryFolders : public outlook::Folders, private ClientObject {
public:
    MemoryFolders(std::shared_ptr<ClientState> state, std::shared_ptr<FolderRecord> owner);

    std::int32_t Count() override;
    std::shared_ptr<outlook::MAPIFolder> Item(std::int32_t index) override;

private:
    std::shared_ptr<FolderRecord> m_owner;
};

}  // namespace telvane::memory
