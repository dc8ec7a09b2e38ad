#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "common/outlook/ContactItem.h"

namespace telvane::memory {

// Every call the object model offers, one value each, so that counting a call is an array
// increment and a failure plan names its target without a string lookup on the hot path.
enum class Operation : std::uint8_t {
    ApplicationGetNamespace,
    ApplicationActiveExplorer,
    ApplicationExplorers,
    ApplicationInspectors,
    ApplicationAdvise,
    NameSpaceFolders,
    FoldersCount,
    FoldersItem,
    FolderName,
    FolderEntryID,
    FolderDefaultItemType,
    FolderFolders,
    FolderItems,
    ItemsCount,
    ItemsItem,
    ItemClass,
    ItemGetProperty,  // any name but "Class" and the contact fields
    ItemAsContactItem,
    ContactFieldGet,                        // eight values, in ContactField order
    ContactFieldPut = ContactFieldGet + 8,  // eight values, in ContactField order
    ContactSave = ContactFieldPut + 8,
    ContactClose,
    ContactAdvise,
    ExplorersCount,
    ExplorerAdvise,
    InspectorsCount,
    InspectorsAdvise,
    InspectorCurrentItem,
    InspectorAdvise,
    PropertyPagesAdd,
    PropertyPageSiteApplication,
    PropertyPageSiteOnStatusChange,
    Count_
};

inline constexpr std::size_t OperationCount = static_cast<std::size_t>(Operation::Count_);

// Which handle's FailOn may name an operation; the client's FailOn takes all of them.
enum class OperationScope { Client, Folder, Item };

constexpr Operation FieldGet(outlook::ContactField field) {
    return static_cast<Operation>(static_cast<int>(Operation::ContactFieldGet) +
                                  static_cast<int>(field));
}
constexpr Operation FieldPut(outlook::ContactField field) {
    return static_cast<Operation>(static_cast<int>(Operation::ContactFieldPut) +
                                  static_cast<int>(field));
}

// The name a failure plan or a call count uses, e.g. "Items.Item" or
// "ContactItem.BusinessFaxNumber.Put".
std::string_view OperationName(Operation operation);
OperationScope ScopeOf(Operation operation);

// Resolves a name as a handle of the given scope accepts it: the full name, or for a folder
// the name without "MAPIFolder.", for an item without "Item." or "ContactItem.".
std::optional<Operation> FindOperation(std::string_view name,
                                       OperationScope scope = OperationScope::Client);

}  // namespace telvane::memory
