#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace telvane::testsupport {

// The calling thread's windows as a person sees them: shown, usable, and read by their text.
class ShownWindows {
public:
    // The shown windows of this thread, top-level windows and their descendants, for which
    // match holds; the first one found.
    static HWND FindShown(const std::function<bool(HWND)>& match);
    // The shown window whose text reads `text` (UTF-8; access-key markers aside), and with
    // `usable` one a person can use now.
    static HWND FindText(const std::string& text, bool usable);
    // Whether a person can use the window now: it and every window up to its top-level window
    // are shown and enabled.
    static bool Usable(HWND window);
    // A caption as the user reads it: without the access keys' markers.
    static std::wstring Readable(const std::wstring& text);
    static std::wstring TextOf(HWND window);
    static std::wstring ClassOf(HWND window);
};

}  // namespace telvane::testsupport
