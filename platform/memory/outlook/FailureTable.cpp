#include "platform/memory/outlook/FailureTable.h"

#include <stdexcept>
#include <string>
#include <utility>

#include "common/outlook/RaisedError.h"

namespace telvane::memory {

void FailureTable::Add(Operation operation, Failure failure, std::size_t& armed) {
    if (failure.times < 0)
        throw std::invalid_argument("Failure.times must not be negative");
    if (failure.position < 0)
        throw std::invalid_argument("Failure.position must not be negative");
    if (failure.description.empty()) {
        failure.description = std::string(OperationName(operation)) + " failed";
    }
    m_plans.push_back({operation, std::move(failure)});
    ++armed;
}

void FailureTable::Clear(std::size_t& armed) {
    armed -= m_plans.size();
    m_plans.clear();
}

void FailureTable::Check(Operation operation, std::int32_t position, std::size_t& armed) {
    for (auto it = m_plans.begin(); it != m_plans.end(); ++it) {
        if (it->operation != operation)
            continue;
        if (it->failure.position != 0 && it->failure.position != position)
            continue;
        RaisedError error(it->failure.number, it->failure.source, it->failure.description);
        if (it->failure.times > 0 && --it->failure.times == 0) {
            m_plans.erase(it);
            --armed;
        }
        throw error;
    }
}

}  // namespace telvane::memory
