#pragma once

#include <memory>
#include <string>
#include <vector>

namespace telvane::forms {

class Nodes;
class TreeView;

// One node of a tree view. Callers hold nodes as shared_ptr (the product keeps them in its
// records); a node removed from its tree (Clear, or the tree's form going away) keeps its key,
// text and tag, but Index() and any change raise error 35605.
class Node {
    struct Access {
        explicit Access() = default;
    };

public:
    Node(Access, TreeView& tree, std::string key, std::string text, int index);
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;

    const std::string& Key() const { return m_key; }
    const std::string& Text() const { return m_text; }
    void SetText(std::string text);
    const std::string& Tag() const { return m_tag; }
    void SetTag(std::string tag);
    bool Expanded() const { return m_expanded; }
    // Collapsing a node that holds the selection moves the selection to it, as Windows does.
    void SetExpanded(bool expanded);

    // 1-based position in the tree's node collection: the order in which nodes were added.
    int Index() const;
    // The parent node, or null at the top level.
    std::shared_ptr<Node> Parent() const { return m_parent.lock(); }
    int Children() const { return static_cast<int>(m_children.size()); }
    // The first child, or null.
    std::shared_ptr<Node> Child() const;
    const std::vector<std::shared_ptr<Node>>& ChildNodes() const { return m_children; }
    bool Selected() const;
    // 0 for a top-level node.
    int Depth() const;
    // Whether every ancestor is expanded, so that the node can be seen and clicked.
    bool IsShown() const;
    bool IsRemoved() const { return m_tree == nullptr; }
    TreeView* Tree() const { return m_tree; }

private:
    friend class Nodes;
    friend class TreeView;

    void EnsureAttached() const;

    TreeView* m_tree;
    std::string m_key;
    std::string m_text;
    std::string m_tag;
    bool m_expanded = false;
    int m_index;
    std::weak_ptr<Node> m_parent;
    std::vector<std::shared_ptr<Node>> m_children;
};

}  // namespace telvane::forms
