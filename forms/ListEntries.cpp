#include "forms/ListEntries.h"

#include <cassert>
#include <utility>

namespace telvane::forms {

std::uint32_t ListEntries::NextPriority() {
    // xorshift64*: the priorities only need to look random, and a fixed seed keeps runs alike.
    m_seed ^= m_seed >> 12;
    m_seed ^= m_seed << 25;
    m_seed ^= m_seed >> 27;
    return static_cast<std::uint32_t>((m_seed * 0x2545F4914F6CDD1Dull) >> 32);
}

ListEntries::NodeId ListEntries::Allocate(Entry entry) {
    TreapNode node{std::move(entry), NextPriority()};
    if (!m_free.empty()) {
        const NodeId id = m_free.back();
        m_free.pop_back();
        m_nodes[id] = std::move(node);
        return id;
    }
    m_nodes.push_back(std::move(node));
    return static_cast<NodeId>(m_nodes.size() - 1);
}

void ListEntries::Update(NodeId id) {
    TreapNode& node = m_nodes[id];
    node.size = 1 + SizeOf(node.left) + SizeOf(node.right);
}

void ListEntries::Split(NodeId id, std::size_t count, NodeId& first, NodeId& rest) {
    if (id == kNone) {
        first = rest = kNone;
        return;
    }
    const std::size_t leftSize = SizeOf(m_nodes[id].left);
    if (count <= leftSize) {
        NodeId leftRest = kNone;
        Split(m_nodes[id].left, count, first, leftRest);
        m_nodes[id].left = leftRest;
        Update(id);
        rest = id;
    } else {
        NodeId rightFirst = kNone;
        Split(m_nodes[id].right, count - leftSize - 1, rightFirst, rest);
        m_nodes[id].right = rightFirst;
        Update(id);
        first = id;
    }
}

ListEntries::NodeId ListEntries::Merge(NodeId first, NodeId rest) {
    if (first == kNone)
        return rest;
    if (rest == kNone)
        return first;
    if (m_nodes[first].priority > m_nodes[rest].priority) {
        m_nodes[first].right = Merge(m_nodes[first].right, rest);
        Update(first);
        return first;
    }
    m_nodes[rest].left = Merge(first, m_nodes[rest].left);
    Update(rest);
    return rest;
}

std::size_t ListEntries::InsertSorted(Entry entry) {
    // Count the entries that sort before or level with the new one.
    std::size_t index = 0;
    for (NodeId id = m_root; id != kNone;) {
        const TreapNode& node = m_nodes[id];
        if (entry.sortKey < node.entry.sortKey) {
            id = node.left;
        } else {
            index += SizeOf(node.left) + 1;
            id = node.right;
        }
    }
    InsertAt(index, std::move(entry));
    return index;
}

void ListEntries::InsertAt(std::size_t index, Entry entry) {
    assert(index <= Size());
    const NodeId id = Allocate(std::move(entry));
    NodeId first = kNone;
    NodeId rest = kNone;
    Split(m_root, index, first, rest);
    m_root = Merge(Merge(first, id), rest);
}

ListEntries::NodeId ListEntries::Find(std::size_t index) const {
    assert(index < Size());
    NodeId id = m_root;
    while (true) {
        const std::size_t leftSize = SizeOf(m_nodes[id].left);
        if (index < leftSize) {
            id = m_nodes[id].left;
        } else if (index == leftSize) {
            return id;
        } else {
            index -= leftSize + 1;
            id = m_nodes[id].right;
        }
    }
}

ListEntries::Entry& ListEntries::At(std::size_t index) {
    return m_nodes[Find(index)].entry;
}

const ListEntries::Entry& ListEntries::At(std::size_t index) const {
    return m_nodes[Find(index)].entry;
}

void ListEntries::Erase(std::size_t index) {
    assert(index < Size());
    NodeId first = kNone;
    NodeId middle = kNone;
    NodeId rest = kNone;
    Split(m_root, index, first, middle);
    NodeId removed = kNone;
    Split(middle, 1, removed, rest);
    m_nodes[removed].entry = Entry{};
    m_free.push_back(removed);
    m_root = Merge(first, rest);
}

void ListEntries::Clear() {
    m_nodes.clear();
    m_free.clear();
    m_root = kNone;
}

}  // namespace telvane::forms
