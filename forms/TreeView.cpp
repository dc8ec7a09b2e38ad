#include "forms/TreeView.h"

#include <utility>

#include "forms/FormsError.h"

namespace telvane::forms {

namespace {

void AppendShown(const std::vector<std::shared_ptr<Node>>& nodes,
                 std::vector<std::shared_ptr<Node>>& out) {
    for (const auto& node : nodes) {
        out.push_back(node);
        if (node->Expanded())
            AppendShown(node->ChildNodes(), out);
    }
}

}  // namespace

TreeView::TreeView(Container& parent, std::string name, const Bounds& bounds)
    : Control(parent, ControlKind::TreeView, std::move(name), bounds), m_nodes(*this) {}

bool TreeView::Owns(const std::shared_ptr<Node>& node) const {
    return node && node->Tree() == this;
}

void TreeView::SetSelectedItem(const std::shared_ptr<Node>& node) {
    if (node && !Owns(node))
        FormsError::Raise(FormsError::ElementNotFound, Name());
    if (node) {
        for (auto parent = node->Parent(); parent; parent = parent->Parent()) {
            parent->m_expanded = true;
        }
    }
    if (node == m_selected)
        return;
    m_selected = node;
    Changed(Property::Selection);
}

void TreeView::SetIndentation(int twips) {
    if (twips < 0)
        FormsError::Raise(FormsError::InvalidPropertyValue, Name());
    m_indentation = twips;
    Changed(Property::Appearance);
}

bool TreeView::UserClickNode(const std::shared_ptr<Node>& node) {
    if (!AcceptInput("click node"))
        return false;
    if (!Owns(node) || !node->IsShown())
        return false;
    TakeFocus();
    if (node != m_selected) {
        m_selected = node;
        Changed(Property::Selection);
    }
    Raise(m_nodeClick, node);
    return true;
}

bool TreeView::UserToggleNode(const std::shared_ptr<Node>& node) {
    if (!AcceptInput("expand node"))
        return false;
    if (!Owns(node) || !node->IsShown() || node->Children() == 0)
        return false;
    node->SetExpanded(!node->Expanded());
    return true;
}

std::vector<std::shared_ptr<Node>> TreeView::ShownNodes() const {
    std::vector<std::shared_ptr<Node>> shown;
    AppendShown(m_nodes.Roots(), shown);
    return shown;
}

void TreeView::NodeChanged(const Node& node) {
    const Node* previous = std::exchange(m_changed, &node);
    Changed(Property::Items);
    m_changed = previous;
}

void TreeView::NodeCollapsed(Node& node) {
    if (!m_selected)
        return;
    for (auto parent = m_selected->Parent(); parent; parent = parent->Parent()) {
        if (parent.get() == &node) {
            m_selected = parent;
            Changed(Property::Selection);
            return;
        }
    }
}

void TreeView::NodesCleared() {
    m_selected.reset();
    Changed(Property::Items);
}

}  // namespace telvane::forms
