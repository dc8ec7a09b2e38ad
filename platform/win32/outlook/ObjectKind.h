#pragma once

namespace telvane::win32 {

// The interfaces the bridge holds objects as; member identifiers are cached per kind.
enum class ObjectKind {
    Application,
    NameSpace,
    Folders,
    MAPIFolder,
    Items,
    Item,
    ContactItem,
    Explorers,
    Explorer,
    Inspectors,
    Inspector,
    PropertyPages,
    PropertyPageSite,
};

}  // namespace telvane::win32
