#pragma once

#include <cstddef>

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
inline constexpr std::size_t ObjectKindCount =
    static_cast<std::size_t>(ObjectKind::PropertyPageSite) + 1;

}  // namespace telvane::win32
