#pragma once

#include <cstdint>
#include <memory>

#include "common/outlook/Forward.h"

namespace telvane::outlook {

class Items {
public:
    virtual ~Items() = default;
    virtual std::int32_t Count() = 0;
    // 1-based; an index outside 1..Count raises. Any kind of item.
    virtual std::shared_ptr<outlook::Item> Item(std::int32_t index) = 0;
};

}  // namespace telvane::outlook
