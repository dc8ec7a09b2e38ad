// Product headers come before <windows.h>, whose macros share their names.
#include "forms/Node.h"
#include "forms/TreeView.h"

#include "platform/win32/ui/TreePeer.h"

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
    Sync();
}

void TreePeer::Apply(forms::Property what) {
    switch (what) {
        case forms::Property::Appearance:
            ApplyIndentation();
            break;
        case forms::Property::Items:
            Sync();
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

void TreePeer::Insert(const std::shared_ptr<forms::Node>& node) {
    const auto parent = node->Parent();
    const auto found = parent ? m_items.find(parent.get()) : m_items.end();
    std::wstring text = com::WideFromUtf8(node->Text());
    TVINSERTSTRUCTW insert{};
    insert.hParent = found == m_items.end() ? TVI_ROOT : found->second;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = text.data();
    insert.item.lParam = static_cast<LPARAM>(m_nodes.size());
    const auto item = reinterpret_cast<HTREEITEM>(
        ::SendMessageW(Window(), TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    m_nodes.push_back(node);
    m_items[node.get()] = item;
    m_texts[node.get()] = node->Text();
}

void TreePeer::Sync() {
    const SyncingScope syncing(SyncingFlag());
    const HWND window = Window();
    const auto& all = m_tree.Nodes().All();
    // Nodes are added one at a time, each last among its siblings: insert only the new ones.
    bool prefix = m_nodes.size() <= all.size();
    for (std::size_t i = 0; prefix && i < m_nodes.size(); ++i)
        prefix = m_nodes[i].lock() == all[i];
    auto lastAmongSiblings = [&](const std::shared_ptr<forms::Node>& node) {
        const auto parent = node->Parent();
        const auto& siblings = parent ? parent->ChildNodes() : m_tree.Nodes().Roots();
        return !siblings.empty() && siblings.back() == node;
    };
    for (std::size_t i = m_nodes.size(); prefix && i < all.size(); ++i)
        prefix = lastAmongSiblings(all[i]);
    if (!prefix) {
        ::SendMessageW(window, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
        m_nodes.clear();
        m_items.clear();
        m_texts.clear();
        std::vector<std::shared_ptr<forms::Node>> pending(m_tree.Nodes().Roots().rbegin(),
                                                          m_tree.Nodes().Roots().rend());
        while (!pending.empty()) {
            auto node = pending.back();
            pending.pop_back();
            Insert(node);
            pending.insert(pending.end(), node->ChildNodes().rbegin(), node->ChildNodes().rend());
        }
    } else {
        for (std::size_t i = m_nodes.size(); i < all.size(); ++i)
            Insert(all[i]);
    }
    for (const auto& node : all) {
        const HTREEITEM item = m_items[node.get()];
        // A new text costs the tree a new layout and a paint: only changed ones are given.
        std::string& shown = m_texts[node.get()];
        if (shown != node->Text()) {
            shown = node->Text();
            std::wstring text = com::WideFromUtf8(shown);
            TVITEMW change{};
            change.mask = TVIF_TEXT | TVIF_HANDLE;
            change.hItem = item;
            change.pszText = text.data();
            ::SendMessageW(window, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&change));
        }
        const bool expanded = (::SendMessageW(window, TVM_GETITEMSTATE,
                                              reinterpret_cast<WPARAM>(item), TVIS_EXPANDED) &
                               TVIS_EXPANDED) != 0;
        if (node->Children() > 0 && expanded != node->Expanded()) {
            ::SendMessageW(window, TVM_EXPAND, node->Expanded() ? TVE_EXPAND : TVE_COLLAPSE,
                           reinterpret_cast<LPARAM>(item));
        }
    }
    SyncSelection();
}

void TreePeer::SyncSelection() {
    const SyncingScope syncing(SyncingFlag());
    const auto selected = m_tree.SelectedItem();
    const auto found = selected ? m_items.find(selected.get()) : m_items.end();
    const HTREEITEM item = found == m_items.end() ? nullptr : found->second;
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
