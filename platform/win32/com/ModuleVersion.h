#pragma once

#include <windows.h>

#include <optional>

namespace telvane::win32::com {

// The numbers of a module's own version resource (its fixed file info), read from the loaded
// image itself, so a DLL shows the version it was built with and not a copy kept in code.
struct ModuleVersion {
    int major = 0;
    int minor = 0;
    int build = 0;
    int revision = 0;

    // Empty when the module has no version resource or it is malformed.
    static std::optional<ModuleVersion> Of(HMODULE module);
};

}  // namespace telvane::win32::com
