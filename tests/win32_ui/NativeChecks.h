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

}  // namespace telvane::test
