#include "apps/benchmark/LargeFolderTree.h"

#include <array>
#include <deque>
#include <map>
#include <string>

namespace telvane::bench {
namespace {

constexpr std::int32_t Branching = 3;
// The object model names no calendar type; 1 is olAppointmentItem.
constexpr std::int32_t CalendarItem = 1;
constexpr std::array<std::int32_t, 3> Kinds = {outlook::olContactItem, outlook::olMailItem,
                                               CalendarItem};

}  // namespace

LargeFolderTree::LargeFolderTree(std::int32_t folders) {
    const std::int32_t perStore = folders / Stores;
    for (std::int32_t s = 0; s < Stores; ++s) {
        memory::FolderHandle store = m_client.AddStore("Mailbox " + std::to_string(s + 1));
        ++m_folders;
        // Breadth first, so every level fills before the next one starts.
        std::deque<memory::FolderHandle> open{store};
        for (std::int32_t made = 1; made < perStore;) {
            const memory::FolderHandle parent = open.front();
            open.pop_front();
            for (std::int32_t b = 0; b < Branching && made < perStore; ++b, ++made) {
                const std::int32_t kind = Kinds[static_cast<std::size_t>(made % Kinds.size())];
                memory::FolderHandle folder =
                    parent.AddFolder("Folder " + std::to_string(made), kind);
                if (kind == outlook::olContactItem) {
                    ++m_contactFolders;
                    for (std::int32_t c = 0; c < made % 5; ++c) {
                        folder.AddContact({.FileAs = "Contact " + std::to_string(c)});
                    }
                }
                open.push_back(folder);
                ++m_folders;
            }
        }
    }
    m_session = std::make_unique<FaxManagerSession>(m_client);
}

LargeFolderTree& LargeFolderTree::OfSize(std::int32_t folders) {
    static std::map<std::int32_t, std::unique_ptr<LargeFolderTree>> built;
    auto& tree = built[folders];
    if (!tree)
        tree = std::make_unique<LargeFolderTree>(folders);
    return *tree;
}

}  // namespace telvane::bench
