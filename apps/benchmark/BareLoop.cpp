#include "apps/benchmark/BareLoop.h"

#include "common/FaxNumberRule.h"
#include "common/outlook/Application.h"
#include "common/outlook/ContactItem.h"
#include "common/outlook/Folders.h"
#include "common/outlook/Items.h"
#include "common/outlook/NameSpace.h"

namespace telvane::bench {

BareLoop::ListResult BareLoop::ReadList(outlook::MAPIFolder& folder) {
    ListResult result;
    auto items = folder.Items();
    const std::int32_t count = items->Count();
    for (std::int32_t i = 1; i <= count; ++i) {
        auto item = items->Item(i);
        if (item->GetProperty("Class").ToInt32() != outlook::olContact)
            continue;
        auto contact = item->AsContactItem();
        bool hasFax = false;
        for (auto field : FaxFields)
            hasFax = !contact->Get(field).empty() || hasFax;
        if (!hasFax)
            continue;
        result.textBytes += contact->FileAs().size();
        ++result.listed;
        bool hidden = false;
        for (auto field : FaxFields)
            hidden = IsFaxNumberHidden(contact->Get(field)) || hidden;
        if (hidden)
            ++result.hidden;
    }
    return result;
}

std::int32_t BareLoop::HideContacts(outlook::MAPIFolder& folder,
                                    const std::vector<std::int32_t>& positions) {
    std::int32_t saved = 0;
    auto items = folder.Items();
    for (std::int32_t position : positions) {
        auto contact = items->Item(position)->AsContactItem();
        bool written = false;
        for (auto field : FaxFields) {
            const std::string text = contact->Get(field);
            const std::string hidden = HideFaxNumber(text);
            if (hidden == text)
                continue;
            contact->Put(field, hidden);
            written = true;
        }
        if (written) {
            contact->Save();
            ++saved;
        }
    }
    return saved;
}

BareLoop::TreeResult BareLoop::ReadTree(outlook::PropertyPageSite& site) {
    TreeResult result;
    auto stores = site.Application()->GetNamespace("MAPI")->Folders();
    const std::int32_t count = stores->Count();
    for (std::int32_t i = 1; i <= count; ++i) {
        auto store = stores->Item(i);
        ++result.folders;
        result.textBytes += store->EntryID().size() + store->Name().size();
        ReadSubfolders(*store, result);
    }
    return result;
}

void BareLoop::ReadSubfolders(outlook::MAPIFolder& parent, TreeResult& result) {
    auto folders = parent.Folders();
    const std::int32_t count = folders->Count();
    for (std::int32_t i = 1; i <= count; ++i) {
        auto folder = folders->Item(i);
        ++result.folders;
        if (folder->DefaultItemType() == outlook::olContactItem) {
            ++result.contactFolders;
            result.textBytes += folder->EntryID().size() + folder->Name().size();
            result.items += folder->Items()->Count();
        }
        ReadSubfolders(*folder, result);
    }
}

}  // namespace telvane::bench
