#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/memory/outlook/Failure.h"
#include "platform/memory/outlook/Operation.h"

namespace telvane::memory {

// The failures planned for one target (the whole client, one folder or one item). `armed`
// is the client's count of plans over all tables, kept so that a call with nothing planned
// anywhere costs one comparison.
class FailureTable {
public:
    void Add(Operation operation, Failure failure, std::size_t& armed);
    void Clear(std::size_t& armed);
    bool Empty() const { return m_plans.empty(); }

    // Raises the planned RaisedError when a plan matches the call, using up one of its calls.
    void Check(Operation operation, std::int32_t position, std::size_t& armed);

private:
    struct Plan {
        Operation operation;
        Failure failure;
    };
    std::vector<Plan> m_plans;
};

}  // namespace telvane::memory
