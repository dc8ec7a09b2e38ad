#pragma once

#include <windows.h>

namespace telvane::win32::test {

// Owns a top-level window of the test, the stand-in for a container's window. It stays hidden:
// without a window manager, Wine waits two seconds for a shown window to go.
class TestWindow {
public:
    TestWindow(int width, int height)
        : m_window(::CreateWindowExW(0, L"STATIC", L"Options", WS_OVERLAPPEDWINDOW, 0, 0, width,
                                     height, nullptr, nullptr, nullptr, nullptr)) {}
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    ~TestWindow() {
        if (m_window)
            ::DestroyWindow(m_window);
    }

    HWND Get() const { return m_window; }

    // Child windows at any depth.
    int Descendants() const {
        int count = 0;
        ::EnumChildWindows(
            m_window,
            [](HWND, LPARAM counted) CALLBACK -> BOOL {
                ++*reinterpret_cast<int*>(counted);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&count));
        return count;
    }

private:
    HWND m_window;
};

}  // namespace telvane::win32::test
