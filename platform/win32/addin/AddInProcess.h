#pragma once

namespace telvane {
class AddInLibrary;
}

namespace telvane::win32 {

// The add-in library's state for the process: one AddInLibrary over the real registry, shared
// by every object the DLL creates, as the library's module-level variables are.
class AddInProcess {
public:
    static AddInLibrary& Library();
};

}  // namespace telvane::win32
