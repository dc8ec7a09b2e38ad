#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "common/outlook/MAPIFolder.h"
#include "forms/Node.h"

namespace telvane {

// One contact folder of the fax manager's tree, at the index of its node.
struct FolderEntry {
    std::shared_ptr<outlook::MAPIFolder> objFolder;
    std::shared_ptr<forms::Node> objNode;
    std::int32_t lngItems = 0;
    std::int32_t lngHidden = 0;
    std::int32_t lngDisplayed = 0;
    std::string strName;
};

}  // namespace telvane
