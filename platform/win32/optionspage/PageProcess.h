#pragma once

namespace telvane {
class PageLibrary;
}

namespace telvane::win32 {

// The options-page library's state for the process: one PageLibrary over the real registry and
// the library's window host, shared by every page the DLL creates, as the library's
// module-level variables are.
class PageProcess {
public:
    static PageLibrary& Library();
};

}  // namespace telvane::win32
