#pragma once

#include <windows.h>

#include <vector>

namespace telvane::win32 {

// Windows disabled for a modal show, enabled again however the show ends (or earlier, with
// EnableAll, before the modal window goes).
class DisabledWindows {
public:
    DisabledWindows() = default;
    DisabledWindows(const DisabledWindows&) = delete;
    DisabledWindows& operator=(const DisabledWindows&) = delete;
    ~DisabledWindows() { EnableAll(); }

    void Disable(HWND window) {
        if (window != nullptr && ::IsWindowEnabled(window)) {
            ::EnableWindow(window, FALSE);
            m_windows.push_back(window);
        }
    }
    void EnableAll() {
        for (HWND window : m_windows) {
            if (::IsWindow(window))
                ::EnableWindow(window, TRUE);
        }
        m_windows.clear();
    }

private:
    std::vector<HWND> m_windows;
};

}  // namespace telvane::win32
