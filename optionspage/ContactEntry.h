#pragma once

#include <cstdint>
#include <string>

namespace telvane {

// One listed contact, at the index of its position in the folder's items.
struct ContactEntry {
    std::int32_t intIndex = 0;
    bool blnHidden = false;
    // The file-as text it was listed under: a position is only trusted while the item there
    // is still this contact.
    std::string strFileAs;
};

}  // namespace telvane
