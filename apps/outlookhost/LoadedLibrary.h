#pragma once

#include <windows.h>

#include <string>

namespace telvane::outlookhost {

// A DLL loaded for as long as this lives.
class LoadedLibrary {
public:
    explicit LoadedLibrary(const std::wstring& path) : m_module(::LoadLibraryW(path.c_str())) {}
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;
    ~LoadedLibrary() {
        if (m_module)
            ::FreeLibrary(m_module);
    }
    HMODULE Get() const { return m_module; }

private:
    HMODULE m_module;
};

}  // namespace telvane::outlookhost
