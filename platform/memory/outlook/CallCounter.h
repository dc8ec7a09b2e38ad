#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/memory/outlook/Operation.h"

namespace telvane::memory {

// Counts the calls made through the object model, in total and per operation.
class CallCounter {
public:
    void Add(Operation operation) {
        ++m_counts[static_cast<std::size_t>(operation)];
        ++m_total;
    }

    std::uint64_t Total() const { return m_total; }
    std::uint64_t Count(Operation operation) const {
        return m_counts[static_cast<std::size_t>(operation)];
    }
    // By the operation's full name, e.g. "Items.Item"; an unknown name throws
    // std::invalid_argument.
    std::uint64_t Count(std::string_view name) const;
    // The operations called at least once, in declaration order.
    std::vector<std::pair<std::string, std::uint64_t>> Called() const;
    void Reset();

private:
    std::array<std::uint64_t, OperationCount> m_counts{};
    std::uint64_t m_total = 0;
};

}  // namespace telvane::memory
