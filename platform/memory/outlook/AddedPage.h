#pragma once

#include <string>

#include "common/outlook/Variant.h"

namespace telvane::memory {

// One PropertyPages.Add call made while the Options dialog was built.
struct AddedPage {
    Variant page;
    std::string title;

    friend bool operator==(const AddedPage&, const AddedPage&) = default;
};

}  // namespace telvane::memory
