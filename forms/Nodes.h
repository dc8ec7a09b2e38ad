#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "forms/ControlSettings.h"

namespace telvane::forms {

class Node;
class TreeView;

// The node collection of a tree view, indexed from 1 in the order nodes were added, and by key
// in O(log n). Keys are unique and compared exactly; a node may have an empty key, which is
// not indexed.
class Nodes {
public:
    explicit Nodes(TreeView& tree);
    Nodes(const Nodes&) = delete;
    Nodes& operator=(const Nodes&) = delete;
    ~Nodes();

    // Adds a top-level node after the last one.
    std::shared_ptr<Node> Add(std::string key, std::string text);
    // Adds a node placed relative to another: as its last child (Child), or as its sibling
    // (First, Last, Next, Previous). Without a relative the node goes to the top level, last.
    // To name the relative by its key, pass Item(key).
    // Raises 35602 for a key already used and 35601 for a relative not in this tree.
    std::shared_ptr<Node> Add(const std::shared_ptr<Node>& relative, TreeRelationship relationship,
                              std::string key, std::string text);

    int Count() const { return static_cast<int>(m_all.size()); }
    // By 1-based index; raises 35600 when out of range.
    std::shared_ptr<Node> Item(int index) const;
    // By key; raises 35601 when no node has it.
    std::shared_ptr<Node> Item(std::string_view key) const;
    // By key; null when no node has it.
    std::shared_ptr<Node> Find(std::string_view key) const;
    // Removes every node; nodes still held elsewhere are marked removed.
    void Clear();

    // The top-level nodes in display order.
    const std::vector<std::shared_ptr<Node>>& Roots() const { return m_roots; }
    // Every node in index order.
    const std::vector<std::shared_ptr<Node>>& All() const { return m_all; }

private:
    void Detach();

    TreeView& m_tree;
    std::vector<std::shared_ptr<Node>> m_all;
    std::vector<std::shared_ptr<Node>> m_roots;
    std::map<std::string, std::size_t, std::less<>> m_byKey;
};

}  // namespace telvane::forms
