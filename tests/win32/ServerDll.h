#pragma once

#include <ole2.h>
#include <windows.h>

#include <string>

namespace telvane::win32::test {

// One of the COM server DLLs, loaded from the folder of the test program, and its exports.
class ServerDll {
public:
    static constexpr const wchar_t* AddIn = L"Telvane.dll";
    static constexpr const wchar_t* Page = L"TelvanePage.dll";

    explicit ServerDll(const wchar_t* fileName);
    ServerDll(const ServerDll&) = delete;
    ServerDll& operator=(const ServerDll&) = delete;
    ~ServerDll();

    // fileName in the folder of the running test program.
    static std::wstring BesideTest(const wchar_t* fileName);

    HMODULE Handle() const { return m_module; }
    const std::wstring& Path() const { return m_path; }

    FARPROC Export(const char* name) const { return ::GetProcAddress(m_module, name); }
    FARPROC Export(WORD ordinal) const {
        return ::GetProcAddress(m_module, MAKEINTRESOURCEA(ordinal));
    }

    HRESULT Register() const;
    HRESULT Unregister() const;
    HRESULT CanUnloadNow() const;
    HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** object) const;

private:
    HRESULT CallNoArguments(const char* name) const;

    std::wstring m_path;
    HMODULE m_module = nullptr;
};

}  // namespace telvane::win32::test
