#include "platform/win32/outlook/Member.h"

#include <array>
#include <stdexcept>
#include <string>

namespace telvane::win32 {
namespace {

struct Names {
    const wchar_t* wide;
    const char* utf8;
};

// In the order of the enumeration.
constexpr Names kNames[] = {
    {L"ActiveExplorer", "ActiveExplorer"},
    {L"Add", "Add"},
    {L"Application", "Application"},
    {L"BusinessFaxNumber", "BusinessFaxNumber"},
    {L"Class", "Class"},
    {L"Close", "Close"},
    {L"CompanyName", "CompanyName"},
    {L"Count", "Count"},
    {L"CurrentItem", "CurrentItem"},
    {L"DefaultItemType", "DefaultItemType"},
    {L"EntryID", "EntryID"},
    {L"Explorers", "Explorers"},
    {L"FileAs", "FileAs"},
    {L"FirstName", "FirstName"},
    {L"Folders", "Folders"},
    {L"GetNamespace", "GetNamespace"},
    {L"HomeFaxNumber", "HomeFaxNumber"},
    {L"Inspectors", "Inspectors"},
    {L"Item", "Item"},
    {L"Items", "Items"},
    {L"JobTitle", "JobTitle"},
    {L"LastName", "LastName"},
    {L"Name", "Name"},
    {L"OnStatusChange", "OnStatusChange"},
    {L"OtherFaxNumber", "OtherFaxNumber"},
    {L"Save", "Save"},
};
static_assert(std::size(kNames) == MemberCount);

constexpr outlook::ContactField kFields[] = {
    outlook::ContactField::HomeFaxNumber,     outlook::ContactField::OtherFaxNumber,
    outlook::ContactField::BusinessFaxNumber, outlook::ContactField::FirstName,
    outlook::ContactField::LastName,          outlook::ContactField::FileAs,
    outlook::ContactField::CompanyName,       outlook::ContactField::JobTitle,
};

}  // namespace

const wchar_t* WideNameOf(Member member) {
    return kNames[static_cast<std::size_t>(member)].wide;
}

const char* NameOf(Member member) {
    return kNames[static_cast<std::size_t>(member)].utf8;
}

std::optional<Member> MemberNamed(std::string_view name) {
    for (std::size_t i = 0; i < MemberCount; ++i) {
        if (name == kNames[i].utf8)
            return static_cast<Member>(i);
    }
    return std::nullopt;
}

Member MemberOf(outlook::ContactField field) {
    // From the product's own names, so that the two tables cannot drift apart.
    static const std::array<Member, std::size(kFields)> members = [] {
        std::array<Member, std::size(kFields)> result{};
        for (outlook::ContactField each : kFields) {
            auto member = MemberNamed(outlook::ContactFieldName(each));
            if (!member) {
                throw std::logic_error(std::string("no member for the field ") +
                                       outlook::ContactFieldName(each));
            }
            result[static_cast<std::size_t>(each)] = *member;
        }
        return result;
    }();
    return members[static_cast<std::size_t>(field)];
}

}  // namespace telvane::win32
