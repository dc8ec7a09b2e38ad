#pragma once

#include <cstdint>
#include <string>

namespace telvane::memory {

// A planned failure: the error a call raises instead of doing its work.
struct Failure {
    std::int32_t number = 0;
    // Empty: the name of the failing call.
    std::string description = {};
    std::string source = "Microsoft Outlook";
    // 0: every call until the plan is cleared; N: only the next N calls.
    std::int32_t times = 0;
    // For Folders.Item and Items.Item: 0 fails every position, N only the 1-based position N.
    std::int32_t position = 0;
};

}  // namespace telvane::memory
