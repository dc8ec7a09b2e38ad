#pragma once

#include <memory>
#include <string>

#include "common/outlook/Forward.h"
#include "common/outlook/Variant.h"

namespace telvane::outlook {

// Any item of the mail client (contact, distribution list, message...), known only late-bound.
class Item {
public:
    virtual ~Item() = default;

    // Reads a property by its name at run time, on whatever kind of item this is
    // ("Class" answers the OlObjectClass). An unknown name raises.
    virtual Variant GetProperty(const std::string& name) = 0;

    // The same item taken as a contact; raises type mismatch (13) when it is not one.
    virtual std::shared_ptr<ContactItem> AsContactItem() = 0;
};

}  // namespace telvane::outlook
