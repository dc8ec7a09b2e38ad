#pragma once

#include <functional>
#include <string>

#include "apps/outlookhost/InvokeFaults.h"

namespace telvane::outlookhost {

// What every server object of the host shares: the count of those alive, where the host
// writes what happened, and the failures planned for their Invoke calls.
struct HostContext {
    long liveObjects = 0;
    InvokeFaults faults;
    std::function<void(const std::string&)> log = [](const std::string&) {};
};

}  // namespace telvane::outlookhost
