#pragma once

#include <functional>
#include <string>

namespace telvane::outlookhost {

// What every server object of the host shares: the count of those alive and where the host
// writes what happened.
struct HostContext {
    long liveObjects = 0;
    std::function<void(const std::string&)> log = [](const std::string&) {};
};

}  // namespace telvane::outlookhost
