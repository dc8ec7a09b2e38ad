#pragma once

namespace telvane {
class PageLibrary;
}

namespace telvane::win32 {

class Win32UiHost;

// The options-page library's state for the process: one PageLibrary over the real registry and
// the native window host, shared by every page the DLL creates, as the library's module-level
// variables are.
class PageProcess {
public:
    static PageLibrary& Library();
    // The window host of Library(), for what only a native host does (embedding the page).
    static Win32UiHost& Host();
};

}  // namespace telvane::win32
