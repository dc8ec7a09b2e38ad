#pragma once

#include <functional>

namespace telvane::bench {

// The thread's message loop, run by the benchmark between and inside its timed steps.
class MessageLoop {
public:
    // Handles what is queued until nothing is: the windows at rest.
    static void Settle();
    // Handles messages until `done` holds or `seconds` have passed; answers `done`.
    static bool RunUntil(const std::function<bool()>& done, double seconds);
};

}  // namespace telvane::bench
