#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "forms/Control.h"
#include "forms/Node.h"
#include "forms/Nodes.h"

namespace telvane::forms {

// A tree of nodes with one selected node. A user click on a shown node selects it and raises
// NodeClick(node), also when the node was selected already; setting SelectedItem from code
// raises nothing.
class TreeView : public Control {
public:
    using NodeHandler = std::function<void(const std::shared_ptr<Node>&)>;

    TreeView(Container& parent, std::string name, const Bounds& bounds);

    forms::Nodes& Nodes() { return m_nodes; }
    const forms::Nodes& Nodes() const { return m_nodes; }

    // The selected node, or null.
    std::shared_ptr<Node> SelectedItem() const { return m_selected; }
    // Selects a node of this tree (expanding its ancestors so it is shown), or nothing with
    // null. Raises 35601 for a node of another tree or a removed one.
    void SetSelectedItem(const std::shared_ptr<Node>& node);

    // Indentation of each level, in twips.
    int Indentation() const { return m_indentation; }
    void SetIndentation(int twips);

    void OnNodeClick(NodeHandler handler) { m_nodeClick = std::move(handler); }

    // The user clicks a node's text: refused when the tree takes no input or the node is not
    // shown (a collapsed ancestor) or not of this tree.
    bool UserClickNode(const std::shared_ptr<Node>& node);
    // The user clicks a node's expand button: its Expanded flips.
    bool UserToggleNode(const std::shared_ptr<Node>& node);

    // The nodes a person can see, top to bottom (children of collapsed nodes left out).
    std::vector<std::shared_ptr<Node>> ShownNodes() const;

    // While an Items notice runs: the one node that was added, or whose text or expansion
    // changed; null when the notice is for every node (the collection was cleared). A native
    // peer then updates that node's item only.
    const Node* ChangedNode() const { return m_changed; }

private:
    friend class Node;
    friend class forms::Nodes;

    bool Owns(const std::shared_ptr<Node>& node) const;
    void NodeChanged(const Node& node);
    void NodeCollapsed(Node& node);
    void NodesCleared();

    forms::Nodes m_nodes;
    std::shared_ptr<Node> m_selected;
    int m_indentation = 19 * kTwipsPerPixel;
    NodeHandler m_nodeClick;
    const Node* m_changed = nullptr;
};

}  // namespace telvane::forms
