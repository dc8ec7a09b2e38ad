#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "common/outlook/MAPIFolder.h"
#include "platform/memory/outlook/ClientObject.h"

namespace telvane::memory {

class MemoryFolder : public outlook::MAPIFolder, private ClientObject {
public:
    MemoryFolder(std::shared_ptr<ClientState> state, std::shared_ptr<FolderRecord> record);

    std::string Name() override;
    std::string EntryID() override;
    std::int32_t DefaultItemType() override;
    std::shared_ptr<outlook::Folders> Folders() override;
    std::shared_ptr<outlook::Items> Items() override;

private:
    std::shared_ptr<FolderRecord> m_record;
};

}  // namespace telvane::memory
