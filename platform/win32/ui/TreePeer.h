#pragma once

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/win32/ui/ControlPeer.h"

namespace telvane::forms {
class Node;
class TreeView;
}  // namespace telvane::forms

namespace telvane::win32 {

// A tree view: a common tree control whose items follow the model's nodes. A node's addition,
// new text or expansion changes that node's item only; while the form is hidden (the product
// fills the tree before the first show) the items are made once, when it shows. Clicks, expand
// buttons and the keyboard's selection go through the model, which then changes the items.
class TreePeer final : public ControlPeer {
public:
    TreePeer(FormWindow& form, forms::TreeView& tree, int id);

    bool Notify(const NMHDR& header, LRESULT& result) override;
    void FormShowing() override;

private:
    // A native item and the text it shows.
    struct Item {
        HTREEITEM handle;
        std::string text;
    };

    void Apply(forms::Property what) override;
    bool Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void ApplyIndentation();
    void NodesChanged();
    // Brings the one node's item in step; false when the tree must be built again instead.
    bool Follow(const forms::Node& node);
    // Every item made afresh from the model.
    void Rebuild();
    // Inserts the node's item after `after` (TVI_FIRST, TVI_LAST or a sibling's item).
    HTREEITEM Insert(const std::shared_ptr<forms::Node>& node, HTREEITEM parent, HTREEITEM after);
    void SyncText(const forms::Node& node, Item& item);
    void SyncExpansion(const forms::Node& node, HTREEITEM item);
    void SyncSelection();
    HTREEITEM ItemOf(const forms::Node* node) const;
    std::shared_ptr<forms::Node> NodeOf(HTREEITEM item) const;
    bool MouseDown(LPARAM position);
    // Whether the form's window is shown (or as good as: its own visible flag is set).
    bool FormShown() const;

    forms::TreeView& m_tree;
    // Changes made while the form was hidden wait for it to show, to be made at once.
    bool m_stale = false;
    // The nodes of the native items, by the index each item carries.
    std::vector<std::weak_ptr<forms::Node>> m_nodes;
    std::unordered_map<const forms::Node*, Item> m_items;
};

}  // namespace telvane::win32
