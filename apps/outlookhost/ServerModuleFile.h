#pragma once

#include <windows.h>

#include <string>

namespace telvane::outlookhost {

// An in-process server DLL beside the host, reached through its four standard exports the
// way regsvr32 and COM reach it.
class ServerModuleFile {
public:
    // name: the file name, looked for in the host's own folder.
    explicit ServerModuleFile(std::wstring name);

    std::wstring Path() const;
    // DllRegisterServer / DllUnregisterServer; the failure HRESULT, or S_OK.
    HRESULT Register() const { return CallExport("DllRegisterServer"); }
    HRESULT Unregister() const { return CallExport("DllUnregisterServer"); }
    // Whether the process has the DLL loaded now.
    bool IsLoaded() const;
    // DllCanUnloadNow of the loaded DLL: S_OK, S_FALSE, or E_FAIL when it is not loaded.
    HRESULT CanUnloadNow() const;

private:
    HRESULT CallExport(const char* name) const;

    std::wstring m_name;
};

}  // namespace telvane::outlookhost
