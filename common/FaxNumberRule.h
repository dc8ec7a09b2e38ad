#pragma once

#include <array>
#include <string>
#include <string_view>

#include "common/outlook/ContactItem.h"

namespace telvane {

// The one rule for hiding a contact's fax numbers from the address dialog: a hidden number is
// stored with this marker in front. Both libraries read and write exactly this form.
inline constexpr std::string_view FaxMarker = "Fax: ";

// The fields the rule covers, always handled in this order.
inline constexpr std::array<outlook::ContactField, 3> FaxFields = {
    outlook::ContactField::HomeFaxNumber,
    outlook::ContactField::OtherFaxNumber,
    outlook::ContactField::BusinessFaxNumber,
};

bool IsFaxNumberHidden(std::string_view text);
std::string HideFaxNumber(std::string_view text);
std::string ShowFaxNumber(std::string_view text);

// Contact level. Neither writer saves: they set the fields in memory and report whether any
// field was written. Failures of the mail client pass through unchanged, leaving the fields
// written before them changed in the unsaved item.
bool HideFaxNumbers(outlook::ContactItem& contact);
bool ShowFaxNumbers(outlook::ContactItem& contact);
bool HasHiddenFaxNumber(outlook::ContactItem& contact);

}  // namespace telvane
