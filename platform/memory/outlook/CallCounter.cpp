#include "platform/memory/outlook/CallCounter.h"

#include <stdexcept>

namespace telvane::memory {

std::uint64_t CallCounter::Count(std::string_view name) const {
    auto operation = FindOperation(name);
    if (!operation)
        throw std::invalid_argument("unknown operation: " + std::string(name));
    return Count(*operation);
}

std::vector<std::pair<std::string, std::uint64_t>> CallCounter::Called() const {
    std::vector<std::pair<std::string, std::uint64_t>> called;
    for (std::size_t i = 0; i < m_counts.size(); ++i) {
        if (m_counts[i] != 0) {
            called.emplace_back(OperationName(static_cast<Operation>(i)), m_counts[i]);
        }
    }
    return called;
}

void CallCounter::Reset() {
    m_counts.fill(0);
    m_total = 0;
}

}  // namespace telvane::memory
