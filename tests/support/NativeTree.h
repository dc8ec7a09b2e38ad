#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

namespace telvane::testsupport {

// Reading a native tree view as the person in front of it does: by the text of its items.
class NativeTree {
public:
    static std::wstring Text(HWND tree, HTREEITEM item);
    // The first item, top to bottom, whose text starts with `prefix`; null when none does.
    static HTREEITEM Find(HWND tree, const std::wstring& prefix);
    // Where the item's text is in the tree's client area; empty while it is scrolled away or
    // under a collapsed node.
    static RECT TextRect(HWND tree, HTREEITEM item);
};

}  // namespace telvane::testsupport
