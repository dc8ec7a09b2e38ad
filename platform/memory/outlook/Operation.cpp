#include "platform/memory/outlook/Operation.h"

#include <array>
#include <string>

namespace telvane::memory {
namespace {

struct OperationInfo {
    std::string_view name;
    OperationScope scope;
};

using S = OperationScope;

constexpr std::array<OperationInfo, OperationCount> Table = {{
    {"Application.GetNamespace", S::Client},
    {"Application.ActiveExplorer", S::Client},
    {"Application.Explorers", S::Client},
    {"Application.Inspectors", S::Client},
    {"Application.Advise", S::Client},
    {"NameSpace.Folders", S::Client},
    {"Folders.Count", S::Folder},
    {"Folders.Item", S::Folder},
    {"MAPIFolder.Name", S::Folder},
    {"MAPIFolder.EntryID", S::Folder},
    {"MAPIFolder.DefaultItemType", S::Folder},
    {"MAPIFolder.Folders", S::Folder},
    {"MAPIFolder.Items", S::Folder},
    {"Items.Count", S::Folder},
    {"Items.Item", S::Folder},
    {"Item.Class", S::Item},
    {"Item.GetProperty", S::Item},
    {"Item.AsContactItem", S::Item},
    {"ContactItem.HomeFaxNumber.Get", S::Item},
    {"ContactItem.OtherFaxNumber.Get", S::Item},
    {"ContactItem.BusinessFaxNumber.Get", S::Item},
    {"ContactItem.FirstName.Get", S::Item},
    {"ContactItem.LastName.Get", S::Item},
    {"ContactItem.FileAs.Get", S::Item},
    {"ContactItem.CompanyName.Get", S::Item},
    {"ContactItem.JobTitle.Get", S::Item},
    {"ContactItem.HomeFaxNumber.Put", S::Item},
    {"ContactItem.OtherFaxNumber.Put", S::Item},
    {"ContactItem.BusinessFaxNumber.Put", S::Item},
    {"ContactItem.FirstName.Put", S::Item},
    {"ContactItem.LastName.Put", S::Item},
    {"ContactItem.FileAs.Put", S::Item},
    {"ContactItem.CompanyName.Put", S::Item},
    {"ContactItem.JobTitle.Put", S::Item},
    {"ContactItem.Save", S::Item},
    {"ContactItem.Close", S::Item},
    {"ContactItem.Advise", S::Item},
    {"Explorers.Count", S::Client},
    {"Explorer.Advise", S::Client},
    {"Inspectors.Count", S::Client},
    {"Inspectors.Advise", S::Client},
    {"Inspector.CurrentItem", S::Client},
    {"Inspector.Advise", S::Client},
    {"PropertyPages.Add", S::Client},
    {"PropertyPageSite.Application", S::Client},
    {"PropertyPageSite.OnStatusChange", S::Client},
}};

std::optional<Operation> FindExact(std::string_view name) {
    for (std::size_t i = 0; i < Table.size(); ++i) {
        if (Table[i].name == name)
            return static_cast<Operation>(i);
    }
    return std::nullopt;
}

}  // namespace

std::string_view OperationName(Operation operation) {
    return Table.at(static_cast<std::size_t>(operation)).name;
}

OperationScope ScopeOf(Operation operation) {
    return Table.at(static_cast<std::size_t>(operation)).scope;
}

std::optional<Operation> FindOperation(std::string_view name, OperationScope scope) {
    auto inScope = [scope](std::optional<Operation> found) {
        return found && (scope == S::Client || ScopeOf(*found) == scope);
    };
    if (auto found = FindExact(name); inScope(found))
        return found;
    const char* prefixes[2] = {nullptr, nullptr};
    if (scope == S::Folder)
        prefixes[0] = "MAPIFolder.";
    if (scope == S::Item) {
        prefixes[0] = "Item.";
        prefixes[1] = "ContactItem.";
    }
    for (const char* prefix : prefixes) {
        if (prefix == nullptr)
            continue;
        if (auto found = FindExact(std::string(prefix) + std::string(name)); inScope(found)) {
            return found;
        }
    }
    return std::nullopt;
}

}  // namespace telvane::memory
