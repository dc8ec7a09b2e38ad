#pragma once

#include <cstdint>

#include "platform/memory/outlook/Operation.h"

namespace telvane::memory {

class FailureTable;

// One object-model call as the client saw it: the operation, the failure table of the folder
// or item it worked on (null for the client's own objects) and the position it asked for.
struct RecordedCall {
    Operation operation;
    const FailureTable* target;
    std::int32_t position;
};

}  // namespace telvane::memory
