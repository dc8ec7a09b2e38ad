#pragma once

#include <cstdint>

namespace telvane::memory {

// The errors the in-memory mail client raises on its own, as the real one reports them to
// an automation caller.
struct OutlookErrors {
    static constexpr const char* Source = "Microsoft Outlook";
    // An index outside 1..Count of Folders.Item or Items.Item (DISP_E_EXCEPTION).
    static constexpr std::int32_t IndexOutOfBounds = -2147352567;
    // A property name that the item does not have.
    static constexpr std::int32_t UnknownProperty = 438;
};

}  // namespace telvane::memory
