#pragma once

#include <cstdint>
#include <memory>

#include "common/outlook/Forward.h"

namespace telvane::outlook {

class Folders {
public:
    virtual ~Folders() = default;
    virtual std::int32_t Count() = 0;
    // 1-based; an index outside 1..Count raises.
    virtual std::shared_ptr<MAPIFolder> Item(std::int32_t index) = 0;
};

}  // namespace telvane::outlook
