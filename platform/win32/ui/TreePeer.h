#pragma once

#include <windows.h>

#include <commctrl.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/ui/ControlPeer.h"

namespace telvane::forms {
class Node;
class TreeView;
}  // namespace telvane::forms

namespace telvane::win32 {

// A tree view: a common tree control whose items follow the model's nodes. Clicks, expand
// buttons and the keyboard's selection go through the model, which then changes the items.
class TreePeer final : public ControlPeer {
public:
    TreePeer(FormWindow& form, forms::TreeView& tree, int id);

    bool Notify(const NMHDR& header, LRESULT& result) override;

private:
    void Apply(forms::Property what) override;
    bool Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void ApplyIndentation();
    void Sync();
    void Insert(const std::shared_ptr<forms::Node>& node);
    void SyncSelection();
    std::shared_ptr<forms::Node> NodeOf(HTREEITEM item) const;
    bool MouseDown(LPARAM position);

    forms::TreeView& m_tree;
    // The native items, in the order of the model's nodes.
    std::vector<std::weak_ptr<forms::Node>> m_nodes;
    std::map<const forms::Node*, HTREEITEM> m_items;
    std::map<const forms::Node*, std::string> m_texts;  // as the native items show them
};

}  // namespace telvane::win32
