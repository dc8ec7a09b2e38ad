#include "tests/win32/ServerDll.h"

#include <gtest/gtest.h>

#include "platform/win32/com/TextConversion.h"

namespace telvane::win32::test {

ServerDll::ServerDll(const wchar_t* fileName)
    : m_path(BesideTest(fileName)), m_module(::LoadLibraryW(m_path.c_str())) {
    EXPECT_NE(m_module, nullptr) << "cannot load " << com::Utf8FromWide(m_path) << ", error "
                                 << ::GetLastError();
}

ServerDll::~ServerDll() {
    if (m_module)
        ::FreeLibrary(m_module);
}

std::wstring ServerDll::BesideTest(const wchar_t* fileName) {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(::GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
    return path.substr(0, path.find_last_of(L'\\') + 1) + fileName;
}

HRESULT ServerDll::CallNoArguments(const char* name) const {
    using Function = HRESULT(STDAPICALLTYPE*)();
    const auto function = reinterpret_cast<Function>(reinterpret_cast<void*>(Export(name)));
    return function ? function() : HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
}

HRESULT ServerDll::Register() const {
    return CallNoArguments("DllRegisterServer");
}

HRESULT ServerDll::Unregister() const {
    return CallNoArguments("DllUnregisterServer");
}

HRESULT ServerDll::CanUnloadNow() const {
    return CallNoArguments("DllCanUnloadNow");
}

HRESULT ServerDll::GetClassObject(REFCLSID clsid, REFIID iid, void** object) const {
    using Function = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    const auto function =
        reinterpret_cast<Function>(reinterpret_cast<void*>(Export("DllGetClassObject")));
    return function ? function(clsid, iid, object) : HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
}

}  // namespace telvane::win32::test
