#include "apps/outlookhost/ServerModuleFile.h"

#include <utility>

#include "apps/outlookhost/LoadedLibrary.h"

namespace telvane::outlookhost {

namespace {

using Export = HRESULT(STDAPICALLTYPE*)();

Export Find(HMODULE module, const char* name) {
    return reinterpret_cast<Export>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

}  // namespace

ServerModuleFile::ServerModuleFile(std::wstring name) : m_name(std::move(name)) {}

std::wstring ServerModuleFile::Path() const {
    wchar_t self[MAX_PATH];
    DWORD length = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self, length);
    return path.substr(0, path.find_last_of(L"\\/") + 1) + m_name;
}

HRESULT ServerModuleFile::CallExport(const char* name) const {
    LoadedLibrary library(Path());
    if (!library.Get())
        return HRESULT_FROM_WIN32(::GetLastError());
    Export call = Find(library.Get(), name);
    if (!call)
        return HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
    return call();
}

bool ServerModuleFile::IsLoaded() const {
    return ::GetModuleHandleW(m_name.c_str()) != nullptr;
}

HRESULT ServerModuleFile::CanUnloadNow() const {
    HMODULE module = ::GetModuleHandleW(m_name.c_str());
    if (!module)
        return E_FAIL;
    Export call = Find(module, "DllCanUnloadNow");
    return call ? call() : E_FAIL;
}

}  // namespace telvane::outlookhost
