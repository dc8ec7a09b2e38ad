#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "common/outlook/Forward.h"

namespace telvane::outlook {

class MAPIFolder {
public:
    virtual ~MAPIFolder() = default;
    virtual std::string Name() = 0;
    virtual std::string EntryID() = 0;
    virtual std::int32_t DefaultItemType() = 0;  // OlItemType
    virtual std::shared_ptr<outlook::Folders> Folders() = 0;
    virtual std::shared_ptr<outlook::Items> Items() = 0;
};

}  // namespace telvane::outlook
