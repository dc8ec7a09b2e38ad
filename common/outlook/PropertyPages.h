#pragma once

#include <string>

#include "common/outlook/Variant.h"

namespace telvane::outlook {

// The custom pages of an Options dialog being built.
class PropertyPages {
public:
    virtual ~PropertyPages() = default;
    // page: the programmatic identifier of the page's control, as a variant holding text.
    virtual void Add(const Variant& page, const std::string& title) = 0;
};

}  // namespace telvane::outlook
