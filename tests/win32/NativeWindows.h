#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/ui/PixelScale.h"

namespace telvane::win32::test {

// Finding and measuring the page's native windows, and watching the fax manager it opens.

// The first window below `under` (at any depth) with that text, or null.
inline HWND FindText(HWND under, const std::wstring& text) {
    struct Search {
        const std::wstring* text;
        HWND found;
    } search{&text, nullptr};
    ::EnumChildWindows(
        under,
        [](HWND window, LPARAM context) CALLBACK -> BOOL {
            auto* search = reinterpret_cast<Search*>(context);
            wchar_t buffer[256] = {};
            ::GetWindowTextW(window, buffer, 256);
            if (*search->text != buffer)
                return TRUE;
            search->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

inline int Pixels(int twips) {
    return PixelScale::OfScreen().Pixels(twips);
}

inline int Twips(int pixels) {
    return PixelScale::OfScreen().Twips(pixels);
}

inline int LeftInPage(HWND control, HWND page) {
    RECT rect = {};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&rect), 2);
    return rect.left;
}

// Finds the fax manager while its modal loop runs, notes what it saw, and closes it.
struct ManagerWatch {
    HWND container;
    bool seen = false;
    bool containerDisabled = false;
};

inline ManagerWatch*& CurrentWatch() {
    static ManagerWatch* watch = nullptr;
    return watch;
}

inline void CALLBACK CloseManager(HWND, UINT, UINT_PTR, DWORD) {
    HWND manager = ::FindWindowW(nullptr, L"Telvane");
    ManagerWatch* watch = CurrentWatch();
    if (!watch || !manager || !::IsWindowVisible(manager))
        return;
    watch->seen = true;
    watch->containerDisabled = !::IsWindowEnabled(watch->container);
    ::PostMessageW(manager, WM_CLOSE, 0, 0);
}

// Runs press, which should open the fax manager modally; the manager is noted and closed from
// inside its modal loop.
template <class Press>
ManagerWatch WatchFaxManager(HWND container, Press press) {
    ManagerWatch watch{container};
    CurrentWatch() = &watch;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &CloseManager);
    press();
    ::KillTimer(nullptr, timer);
    CurrentWatch() = nullptr;
    return watch;
}

}  // namespace telvane::win32::test
