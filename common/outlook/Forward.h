#pragma once

#include <cstdint>
#include <memory>

namespace telvane::outlook {

class Application;
class NameSpace;
class Folders;
class MAPIFolder;
class Items;
class Item;
class ContactItem;
class Explorers;
class Explorer;
class Inspectors;
class Inspector;
class PropertyPages;
class PropertyPageSite;

// The mail client's enumerations that the product reads or passes.
enum OlObjectClass : std::int32_t { olContact = 40, olMail = 43, olDistributionList = 69 };
enum OlItemType : std::int32_t { olMailItem = 0, olContactItem = 2, olDistributionListItem = 7 };
enum OlInspectorClose : std::int32_t { olSave = 0, olDiscard = 1, olPromptForSave = 2 };

}  // namespace telvane::outlook
