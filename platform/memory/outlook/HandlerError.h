#pragma once

#include <cstdint>
#include <string>

namespace telvane::memory {

// An error that an event handler raised back into the mail client, e.g. event
// "ContactItem.Write". Errors that are not RaisedError arrive with number 0.
struct HandlerError {
    std::string event;
    std::int32_t number = 0;
    std::string source;
    std::string description;
};

}  // namespace telvane::memory
