#include "forms/Nodes.h"

#include <algorithm>

#include "forms/FormsError.h"
#include "forms/Node.h"
#include "forms/TreeView.h"

namespace telvane::forms {

Nodes::Nodes(TreeView& tree) : m_tree(tree) {}

Nodes::~Nodes() {
    Detach();
}

std::shared_ptr<Node> Nodes::Add(std::string key, std::string text) {
    return Add(nullptr, TreeRelationship::Last, std::move(key), std::move(text));
}

std::shared_ptr<Node> Nodes::Add(const std::shared_ptr<Node>& relative,
                                 TreeRelationship relationship, std::string key, std::string text) {
    if (relative && !m_tree.Owns(relative)) {
        FormsError::Raise(FormsError::ElementNotFound, m_tree.Name());
    }
    if (!key.empty() && m_byKey.contains(key)) {
        FormsError::Raise(FormsError::KeyNotUnique, m_tree.Name());
    }

    auto node = std::make_shared<Node>(Node::Access{}, m_tree, key, std::move(text),
                                       static_cast<int>(m_all.size()) + 1);

    // Where the node goes: a sibling list and a position in it.
    std::vector<std::shared_ptr<Node>>* siblings = &m_roots;
    std::size_t position = m_roots.size();
    if (relative) {
        if (relationship == TreeRelationship::Child) {
            siblings = &relative->m_children;
            position = siblings->size();
            node->m_parent = relative;
        } else {
            const auto parent = relative->m_parent.lock();
            siblings = parent ? &parent->m_children : &m_roots;
            node->m_parent = relative->m_parent;
            const auto at = std::find(siblings->begin(), siblings->end(), relative);
            const auto relativePosition = static_cast<std::size_t>(at - siblings->begin());
            switch (relationship) {
                case TreeRelationship::First:
                    position = 0;
                    break;
                case TreeRelationship::Next:
                    position = relativePosition + 1;
                    break;
                case TreeRelationship::Previous:
                    position = relativePosition;
                    break;
                default:
                    position = siblings->size();
                    break;
            }
        }
    }

    siblings->insert(siblings->begin() + static_cast<std::ptrdiff_t>(position), node);
    if (!key.empty())
        m_byKey.emplace(std::move(key), m_all.size());
    m_all.push_back(node);
    m_tree.NodeChanged(*node);
    return node;
}

std::shared_ptr<Node> Nodes::Item(int index) const {
    if (index < 1 || index > Count()) {
        FormsError::Raise(FormsError::IndexOutOfBounds, m_tree.Name());
    }
    return m_all[static_cast<std::size_t>(index - 1)];
}

std::shared_ptr<Node> Nodes::Item(std::string_view key) const {
    auto node = Find(key);
    if (!node)
        FormsError::Raise(FormsError::ElementNotFound, m_tree.Name());
    return node;
}

std::shared_ptr<Node> Nodes::Find(std::string_view key) const {
    const auto it = m_byKey.find(key);
    return it == m_byKey.end() ? nullptr : m_all[it->second];
}

void Nodes::Detach() {
    for (const auto& node : m_all) {
        node->m_tree = nullptr;
        node->m_children.clear();
    }
    m_all.clear();
    m_roots.clear();
    m_byKey.clear();
}

void Nodes::Clear() {
    Detach();
    m_tree.NodesCleared();
}

}  // namespace telvane::forms
