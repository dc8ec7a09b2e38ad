#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

namespace telvane::forms {
class Form;
}
namespace telvane::win32 {
class Win32UiHost;
}

namespace telvane::test {

// Checks, with gtest expectations, that a form's native windows show the model: the client
// size, every control's rectangle within a pixel of its twips, its parent window, visibility,
// enabled state, caption and font, one font object per face and size, and the focus.
void ExpectWindowsMatchModel(win32::Win32UiHost& host, const forms::Form& form);

std::wstring WindowText(HWND window);
// The text of a tree view item, and the first item whose text starts with `prefix`.
std::wstring TreeItemText(HWND tree, HTREEITEM item);
HTREEITEM FindTreeItem(HWND tree, const std::wstring& prefix);
RECT TreeItemTextRect(HWND tree, HTREEITEM item);

}  // namespace telvane::test
