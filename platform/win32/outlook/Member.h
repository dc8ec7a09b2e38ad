#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "common/outlook/ContactItem.h"

namespace telvane::win32 {

// The members of the object model the bridge calls, so that a call finds its DISPID by index
// instead of by a name made into a string on every call.
enum class Member : std::uint8_t {
    ActiveExplorer,
    Add,
    Application,
    BusinessFaxNumber,
    Class,
    Close,
    CompanyName,
    Count,
    CurrentItem,
    DefaultItemType,
    EntryID,
    Explorers,
    FileAs,
    FirstName,
    Folders,
    GetNamespace,
    HomeFaxNumber,
    Inspectors,
    Item,
    Items,
    JobTitle,
    LastName,
    Name,
    OnStatusChange,
    OtherFaxNumber,
    Save,
};
inline constexpr std::size_t MemberCount = static_cast<std::size_t>(Member::Save) + 1;

// The name the mail client knows the member by: UTF-16 for GetIDsOfNames, UTF-8 for messages.
const wchar_t* WideNameOf(Member member);
const char* NameOf(Member member);
// The member spelt exactly so, if the bridge has one.
std::optional<Member> MemberNamed(std::string_view name);
// The member of a contact field, found once by the field's own name.
Member MemberOf(outlook::ContactField field);

}  // namespace telvane::win32
