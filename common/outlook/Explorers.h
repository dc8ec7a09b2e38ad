#pragma once

#include <cstdint>

namespace telvane::outlook {

// The live collection of explorer windows.
class Explorers {
public:
    virtual ~Explorers() = default;
    virtual std::int32_t Count() = 0;
};

}  // namespace telvane::outlook
