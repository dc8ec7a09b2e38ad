#include "apps/hostbenchmark/StoreForest.h"

#include <deque>
#include <map>
#include <string>
#include <utility>

namespace telvane::bench {
namespace {

constexpr std::int32_t Branching = 3;

}  // namespace

StoreForest::StoreForest(std::int32_t stores, std::int32_t folders)
    : m_stores(stores), m_explorer(m_client.OpenExplorer()) {
    for (std::int32_t s = 0; s < stores; ++s) {
        memory::FolderHandle store = m_client.AddStore("Mailbox " + std::to_string(s + 1));
        // Breadth first, so every level fills before the next one starts.
        std::deque<memory::FolderHandle> open{store};
        for (std::int32_t made = 0; made < folders;) {
            const memory::FolderHandle parent = open.front();
            open.pop_front();
            for (std::int32_t b = 0; b < Branching && made < folders; ++b, ++made) {
                const bool contacts = made % 2 == 0;
                memory::FolderHandle folder =
                    parent.AddFolder("Folder " + std::to_string(made + 1),
                                     contacts ? outlook::olContactItem : outlook::olMailItem);
                if (contacts) {
                    ++m_contactFolders;
                    for (std::int32_t c = 0; c < made % 4; ++c)
                        folder.AddContact({.FileAs = "Contact " + std::to_string(c + 1)});
                }
                open.push_back(folder);
                ++m_folders;
            }
        }
    }
}

StoreForest& StoreForest::OfShape(std::int32_t stores, std::int32_t folders) {
    static std::map<std::pair<std::int32_t, std::int32_t>, std::unique_ptr<StoreForest>> built;
    auto& forest = built[{stores, folders}];
    if (!forest)
        forest = std::make_unique<StoreForest>(stores, folders);
    return *forest;
}

}  // namespace telvane::bench
