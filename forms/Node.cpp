#include "forms/Node.h"

#include "forms/FormsError.h"
#include "forms/TreeView.h"

namespace telvane::forms {

Node::Node(Access, TreeView& tree, std::string key, std::string text, int index)
    : m_tree(&tree), m_key(std::move(key)), m_text(std::move(text)), m_index(index) {}

void Node::EnsureAttached() const {
    if (m_tree == nullptr)
        FormsError::Raise(FormsError::ControlDeleted, m_key);
}

void Node::SetText(std::string text) {
    EnsureAttached();
    if (text == m_text)
        return;
    m_text = std::move(text);
    m_tree->NodeChanged(*this);
}

void Node::SetTag(std::string tag) {
    EnsureAttached();
    m_tag = std::move(tag);
}

void Node::SetExpanded(bool expanded) {
    EnsureAttached();
    if (expanded == m_expanded)
        return;
    m_expanded = expanded;
    if (!expanded)
        m_tree->NodeCollapsed(*this);
    m_tree->NodeChanged(*this);
}

int Node::Index() const {
    EnsureAttached();
    return m_index;
}

std::shared_ptr<Node> Node::Child() const {
    return m_children.empty() ? nullptr : m_children.front();
}

bool Node::Selected() const {
    return m_tree != nullptr && m_tree->SelectedItem().get() == this;
}

int Node::Depth() const {
    int depth = 0;
    for (auto parent = m_parent.lock(); parent; parent = parent->m_parent.lock())
        ++depth;
    return depth;
}

bool Node::IsShown() const {
    for (auto parent = m_parent.lock(); parent; parent = parent->m_parent.lock()) {
        if (!parent->m_expanded)
            return false;
    }
    return true;
}

}  // namespace telvane::forms
