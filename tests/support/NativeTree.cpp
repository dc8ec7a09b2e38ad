#include "tests/support/NativeTree.h"

namespace telvane::testsupport {

std::wstring NativeTree::Text(HWND tree, HTREEITEM item) {
    wchar_t text[512] = {};
    TVITEMW query{};
    query.mask = TVIF_TEXT | TVIF_HANDLE;
    query.hItem = item;
    query.pszText = text;
    query.cchTextMax = 512;
    ::SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query));
    return text;
}

HTREEITEM NativeTree::Find(HWND tree, const std::wstring& prefix) {
    // Depth first, which is top to bottom as the tree shows its items.
    HTREEITEM item = TreeView_GetRoot(tree);
    while (item != nullptr) {
        if (Text(tree, item).rfind(prefix, 0) == 0)
            return item;
        HTREEITEM next = TreeView_GetChild(tree, item);
        while (next == nullptr && item != nullptr) {
            next = TreeView_GetNextSibling(tree, item);
            if (next == nullptr)
                item = TreeView_GetParent(tree, item);
        }
        item = next;
    }
    return nullptr;
}

RECT NativeTree::TextRect(HWND tree, HTREEITEM item) {
    RECT area{};
    if (item == nullptr || !TreeView_GetItemRect(tree, item, &area, TRUE))
        return RECT{};
    return area;
}

}  // namespace telvane::testsupport
