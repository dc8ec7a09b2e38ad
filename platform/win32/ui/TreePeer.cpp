// Product headers come before <windows.h>, whose macros share their names.
#include "forms/Node.h"
#include "forms/TreeView.h"

#include "platform/win32/ui/TreePeer.h"

#include <algorithm>

#include "platform/win32/com/TextConversion.h"
#include "platform/win32/ui/FormWindow.h"
#include "platform/win32/ui/SyncingScope.h"
#include "platform/win32/ui/Win32UiHost.h"

namespace telvane::win32 {

TreePeer::TreePeer(FormWindow& form, forms::TreeView& tree, int id)
    : ControlPeer(form, tree, id), m_tree(tree) {
    Create(WC_TREEVIEWW,
           WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
           WS_EX_CLIENTEDGE, {}, false);
    Changed(forms::Property::Appearance);
    const SyncingScope syncing(SyncingFlag());
    Rebuild();
    SyncSelection();
}

void TreePeer::Apply(forms::Property what) {
    switch (what) {
        case forms::Property::Appearance:
            ApplyIndentation();
            break;
        case forms::Property::Items:
            NodesChanged();
            break;
        case forms::Property::Selection:
            SyncSelection();
            break;
        default:
            ControlPeer::Apply(what);
            break;
    }
}

void TreePeer::ApplyIndentation() {
    ::SendMessageW(Window(), TVM_SETINDENT,
                   static_cast<WPARAM>(Form().Host().Pixels(m_tree.Indentation())), 0);
}

HTREEITEM TreePeer::ItemOf(const forms::Node* node) const {
    const auto found = node ? m_items.find(node) : m_items.end();
    return found == m_items.end() ? nullptr : found->second.handle;
}

std::shared_ptr<forms::Node> TreePeer::NodeOf(HTREEITEM item) const {
    TVITEMW query{};
    query.mask = TVIF_PARAM | TVIF_HANDLE;
    query.hItem = item;
    if (item == nullptr ||
        !::SendMessageW(Window(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query))) {
        return nullptr;
    }
    const auto index = static_cast<std::size_t>(query.lParam);
    return index < m_nodes.size() ? m_nodes[index].lock() : nullptr;
}

bool TreePeer::FormShown() const {
    return (::GetWindowLongPtrW(Form().Window(), GWL_STYLE) & WS_VISIBLE) != 0;
}

void TreePeer::FormShowing() {
    if (!m_stale)
        return;
    const SyncingScope syncing(SyncingFlag());
    m_stale = false;
    Rebuild();
    SyncSelection();
}

void TreePeer::NodesChanged() {
    // A native tree that is not seen costs as much to fill as one that is, item by item.
    if (m_stale || !FormShown()) {
        m_stale = true;
        return;
    }
    const forms::Node* node = m_tree.ChangedNode();
    if (node == nullptr || !Follow(*node))
        Rebuild();
    SyncSelection();
}

bool TreePeer::Follow(const forms::Node& node) {
    const auto known = m_items.find(&node);
    if (known != m_items.end()) {
        SyncText(node, known->second);
        SyncExpansion(node, known->second.handle);
        return true;
    }
    // A node just added: its item goes where the node went among its siblings.
    const auto& all = m_tree.Nodes().All();
    const auto index = static_cast<std::size_t>(node.Index()) - 1;
    if (index >= all.size() || all[index].get() != &node)
        return false;
    const auto parent = node.Parent();
    const HTREEITEM parentItem = parent ? ItemOf(parent.get()) : TVI_ROOT;
    if (parentItem == nullptr)
        return false;
    const auto& siblings = parent ? parent->ChildNodes() : m_tree.Nodes().Roots();
    HTREEITEM after = TVI_LAST;
    if (siblings.empty() || siblings.back().get() != &node) {
        const auto at = std::find(siblings.begin(), siblings.end(), all[index]);
        if (at == siblings.end())
            return false;
        after = at == siblings.begin() ? TVI_FIRST : ItemOf(std::prev(at)->get());
        if (after == nullptr)
            return false;
    }
    Insert(all[index], parentItem, after);
    // A node expanded before it had children opens with its first one.
    if (parent)
        SyncExpansion(*parent, parentItem);
    return true;
}

HTREEITEM TreePeer::Insert(const std::shared_ptr<forms::Node>& node, HTREEITEM parent,
                           HTREEITEM after) {
    std::wstring text = com::WideFromUtf8(node->Text());
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_STATE;
    // Open from the start: a TVM_EXPAND for each item costs the tree a new layout.
    insert.item.stateMask = TVIS_EXPANDED | TVIS_EXPANDEDONCE;
    if (node->Expanded() && node->Children() > 0)
        insert.item.state = TVIS_EXPANDED | TVIS_EXPANDEDONCE;
    insert.item.pszText = text.data();
    insert.item.lParam = static_cast<LPARAM>(m_nodes.size());
    const auto item = reinterpret_cast<HTREEITEM>(
        ::SendMessageW(Window(), TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    m_nodes.push_back(node);
    m_items[node.get()] = Item{item, node->Text()};
    return item;
}

void TreePeer::Rebuild() {
    // Laid out and drawn once for the whole batch, not once per item.
    ::SendMessageW(Window(), WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(Window(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    m_nodes.clear();
    m_items.clear();
    const auto& roots = m_tree.Nodes().Roots();
    std::vector<std::shared_ptr<forms::Node>> pending(roots.rbegin(), roots.rend());
    while (!pending.empty()) {
        auto node = pending.back();
        pending.pop_back();
        const auto parent = node->Parent();
        Insert(node, parent ? ItemOf(parent.get()) : TVI_ROOT, TVI_LAST);
        pending.insert(pending.end(), node->ChildNodes().rbegin(), node->ChildNodes().rend());
    }
    for (const auto& node : m_tree.Nodes().All())
        SyncExpansion(*node, ItemOf(node.get()));
    ::SendMessageW(Window(), WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(Window(), nullptr, TRUE);
}

void TreePeer::SyncText(const forms::Node& node, Item& item) {
    // A new text costs the tree a new layout and a paint: only a changed one is given.
    if (item.text == node.Text())
        return;
    item.text = node.Text();
    std::wstring text = com::WideFromUtf8(item.text);
    TVITEMW change{};
    change.mask = TVIF_TEXT | TVIF_HANDLE;
    change.hItem = item.handle;
    change.pszText = text.data();
    ::SendMessageW(Window(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&change));
}

void TreePeer::SyncExpansion(const forms::Node& node, HTREEITEM item) {
    // The native tree expands only an item that has children.
    if (node.Children() == 0)
        return;
    const bool expanded =
        (::SendMessageW(Window(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED) &
         TVIS_EXPANDED) != 0;
    if (expanded != node.Expanded()) {
        ::SendMessageW(Window(), TVM_EXPAND, node.Expanded() ? TVE_EXPAND : TVE_COLLAPSE,
                       reinterpret_cast<LPARAM>(item));
    }
}

void TreePeer::SyncSelection() {
    if (m_stale)
        return;
    const SyncingScope syncing(SyncingFlag());
    const HTREEITEM item = ItemOf(m_tree.SelectedItem().get());
    const auto current =
        reinterpret_cast<HTREEITEM>(::SendMessageW(Window(), TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (current != item)
        ::SendMessageW(Window(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}
bool TreePeer::MouseDown(LPARAM position) {
    TVHITTESTINFO hit{};
    hit.pt = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    ::SendMessageW(Window(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    const auto node = NodeOf(hit.hItem);
    if (!node)
        return false;
    if (hit.flags & TVHT_ONITEMBUTTON) {
        m_tree.UserToggleNode(node);
        return true;
    }
    if (hit.flags & (TVHT_ONITEMLABEL | TVHT_ONITEMICON)) {
        m_tree.UserClickNode(node);
        return true;
    }
    return false;
}

bool TreePeer::Notify(const NMHDR& header, LRESULT& result) {
    const auto& change = reinterpret_cast<const NMTREEVIEWW&>(header);
    switch (header.code) {
        case TVN_SELCHANGINGW:
            // A click selects through the model (MouseDown); the keyboard natively.
            result = !Syncing() && change.action == TVC_BYMOUSE;
            return true;
        case TVN_SELCHANGEDW:
            if (!Syncing() && change.action == TVC_BYKEYBOARD) {
                if (const auto node = NodeOf(change.itemNew.hItem)) {
                    if (!m_tree.UserClickNode(node))
                        SyncSelection();
                }
            }
            return true;
        case TVN_ITEMEXPANDINGW:
            if (Syncing())
                return false;
            // The user's expand or collapse goes through the model, which expands natively.
            if (const auto node = NodeOf(change.itemNew.hItem))
                m_tree.UserToggleNode(node);
            result = TRUE;
            return true;
        default:
            return false;
    }
}

bool TreePeer::Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_LBUTTONDOWN) {
        result = 0;
        return MouseDown(lParam);
    }
    return ControlPeer::Handle(message, wParam, lParam, result);
}

}  // namespace telvane::win32
