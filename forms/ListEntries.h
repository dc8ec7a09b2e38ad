#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace telvane::forms {

// The entries of a list box in list order, as an implicit treap (a randomised balanced tree
// that keeps subtree sizes), so that inserting at a sorted place or an index, and reaching an
// entry by index, each cost O(log n). Sorted lists of tens of thousands of entries are filled
// one AddItem at a time.
class ListEntries {
public:
    struct Entry {
        std::string text;
        std::string sortKey;
        std::int32_t itemData = 0;
        bool selected = false;
    };

    std::size_t Size() const { return m_root == kNone ? 0 : m_nodes[m_root].size; }
    // Inserts after every entry whose sort key is not greater; returns the new entry's index.
    std::size_t InsertSorted(Entry entry);
    // Inserts so that the entry gets this index (at most Size()).
    void InsertAt(std::size_t index, Entry entry);
    Entry& At(std::size_t index);
    const Entry& At(std::size_t index) const;
    void Erase(std::size_t index);
    void Clear();

private:
    using NodeId = std::uint32_t;
    static constexpr NodeId kNone = 0xFFFFFFFFu;

    struct TreapNode {
        Entry entry;
        std::uint32_t priority;
        NodeId left = kNone;
        NodeId right = kNone;
        std::size_t size = 1;
    };

    std::size_t SizeOf(NodeId id) const { return id == kNone ? 0 : m_nodes[id].size; }
    void Update(NodeId id);
    // Splits `id` into its first `count` entries and the rest.
    void Split(NodeId id, std::size_t count, NodeId& first, NodeId& rest);
    NodeId Merge(NodeId first, NodeId rest);
    NodeId Allocate(Entry entry);
    NodeId Find(std::size_t index) const;
    std::uint32_t NextPriority();

    std::vector<TreapNode> m_nodes;
    std::vector<NodeId> m_free;
    NodeId m_root = kNone;
    std::uint64_t m_seed = 0x9E3779B97F4A7C15ull;
};

}  // namespace telvane::forms
