#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/outlook/MAPIFolder.h"
#include "common/outlook/PropertyPageSite.h"

namespace telvane::bench {

// The fax manager's work reduced to the object-model calls it cannot do without, made through
// the same interface: what the product's calls per item are read against.
class BareLoop {
public:
    struct ListResult {
        std::int32_t listed = 0;
        std::int32_t hidden = 0;
        std::size_t textBytes = 0;
    };
    // Each item's class once; a contact's three fax fields; for a contact with a fax number its
    // file-as and the three fax fields again (the second look tests for the marker).
    static ListResult ReadList(outlook::MAPIFolder& folder);

    // Each contact by its position, its three fax fields read, the unmarked ones written with the
    // marker, one save. Returns the contacts saved.
    static std::int32_t HideContacts(outlook::MAPIFolder& folder,
                                     const std::vector<std::int32_t>& positions);

    struct TreeResult {
        std::int32_t folders = 0;
        std::int32_t contactFolders = 0;
        std::int64_t items = 0;
        std::size_t textBytes = 0;
    };
    // Every folder's default item type and subfolders; a store's and a contact folder's entry id
    // and name; a contact folder's item count.
    static TreeResult ReadTree(outlook::PropertyPageSite& site);

private:
    static void ReadSubfolders(outlook::MAPIFolder& parent, TreeResult& result);
};

}  // namespace telvane::bench
