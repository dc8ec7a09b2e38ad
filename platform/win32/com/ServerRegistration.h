#pragma once

#include <ole2.h>
#include <windows.h>

#include <span>
#include <string>

#include "platform/win32/com/RegistrationTable.h"

namespace telvane::win32::com {

// The registration table of a server, given where the DLL is and its type library's LIBID.
using RegistrationTableBuilder = RegistrationTable (*)(const std::wstring& modulePath,
                                                       const std::wstring& typeLibraryId);

// DllRegisterServer and DllUnregisterServer of a server whose registration is its embedded
// type library plus a table. A failure answers the platform's own code (a registry error as
// HRESULT_FROM_WIN32), not SELFREG_E_*, so that whoever registers learns what went wrong.
class ServerRegistration {
public:
    static HRESULT Register(RegistrationTableBuilder table,
                            std::span<const IID> foreignInterfaces = {});
    static HRESULT Unregister(RegistrationTableBuilder table,
                              std::span<const IID> foreignInterfaces = {});
    // DllInstall: with the command line "user", Register or Unregister into the current
    // user's classes instead of the machine's (a setup without administrator rights); without
    // one, the same as DllRegisterServer or DllUnregisterServer. Anything else: E_INVALIDARG.
    static HRESULT Install(bool install, const wchar_t* commandLine, RegistrationTableBuilder table,
                           std::span<const IID> foreignInterfaces = {});
};

}  // namespace telvane::win32::com
