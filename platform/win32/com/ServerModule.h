#pragma once

#include <windows.h>

#include <string>

namespace telvane::win32::com {

// The state of one in-process server DLL: its module handle and the count of everything that
// keeps it loaded (live objects, class factories, LockServer). Each DLL links its own copy.
class ServerModule {
public:
    // DllMain's only work.
    static void SetHandle(HINSTANCE module) noexcept;
    static HINSTANCE Handle() noexcept;
    // Full path of the DLL, as registered and as the type library is loaded from.
    static std::wstring Path();

    static void Lock() noexcept;
    static void Unlock() noexcept;
    // DllCanUnloadNow's answer: S_OK when nothing holds the module, S_FALSE otherwise.
    static HRESULT CanUnloadNow() noexcept;
};

// Holds the module loaded for as long as it lives; a member of every object and factory.
class ModuleLock {
public:
    ModuleLock() noexcept { ServerModule::Lock(); }
    ModuleLock(const ModuleLock&) noexcept { ServerModule::Lock(); }
    ModuleLock& operator=(const ModuleLock&) noexcept { return *this; }
    ~ModuleLock() { ServerModule::Unlock(); }
};

}  // namespace telvane::win32::com
