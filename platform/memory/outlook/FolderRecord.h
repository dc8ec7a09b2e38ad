#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/memory/outlook/FailureTable.h"
#include "platform/memory/outlook/ItemRecord.h"

namespace telvane::memory {

// One folder as the store holds it. The stores themselves are the subfolders of an unnamed
// root, so NameSpace.Folders and MAPIFolder.Folders work alike.
struct FolderRecord {
    std::string name;
    std::string entryId;
    std::int32_t defaultItemType = 0;
    std::vector<std::shared_ptr<FolderRecord>> folders;
    std::vector<std::shared_ptr<ItemRecord>> items;
    FailureTable failures;
};

}  // namespace telvane::memory
