#pragma once

#include <memory>

#include "common/outlook/Forward.h"

namespace telvane::outlook {

// The user's "MAPI" namespace.
class NameSpace {
public:
    virtual ~NameSpace() = default;
    // The top-level folders: one for each store.
    virtual std::shared_ptr<outlook::Folders> Folders() = 0;
};

}  // namespace telvane::outlook
