#pragma once

#include <windows.h>

#include <string>

namespace telvane::win32::test {

// Runs the system's regsvr32 silently on dll ("/u" in options to unregister) and returns its
// exit code: 0 when the DLL's entry point succeeded.
DWORD RunRegsvr32(const std::wstring& options, const std::wstring& dll);

}  // namespace telvane::win32::test
