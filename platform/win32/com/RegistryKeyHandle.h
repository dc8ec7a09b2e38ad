#pragma once

#include <windows.h>

#include <string>
#include <utility>

namespace telvane::win32::com {

// Owns an open registry key. The helpers use only what Windows XP's advapi32 has (no
// RegDeleteTreeW, RegSetKeyValueW, RegDeleteKeyValueW or RegGetValueW).
class RegistryKeyHandle {
public:
    RegistryKeyHandle() = default;
    explicit RegistryKeyHandle(HKEY key) : m_key(key) {}
    RegistryKeyHandle(const RegistryKeyHandle&) = delete;
    RegistryKeyHandle& operator=(const RegistryKeyHandle&) = delete;
    RegistryKeyHandle(RegistryKeyHandle&& other) noexcept
        : m_key(std::exchange(other.m_key, nullptr)) {}
    RegistryKeyHandle& operator=(RegistryKeyHandle&& other) noexcept {
        RegistryKeyHandle(std::move(other)).Swap(*this);
        return *this;
    }
    ~RegistryKeyHandle() {
        if (m_key)
            ::RegCloseKey(m_key);
    }

    // Opens root\path; empty when it cannot be opened. error receives the platform's code.
    static RegistryKeyHandle Open(HKEY root, const wchar_t* path, REGSAM access,
                                  LONG* error = nullptr);
    // Opens root\path, creating what is missing.
    static RegistryKeyHandle Create(HKEY root, const wchar_t* path, LONG* error = nullptr);

    // Removes root\path with everything below it; ERROR_FILE_NOT_FOUND when it is missing.
    static LONG DeleteTree(HKEY root, const wchar_t* path);
    // Removes the value name (nullptr: the default value) of root\path; ERROR_FILE_NOT_FOUND
    // when the key or the value is missing.
    static LONG DeleteValue(HKEY root, const wchar_t* path, const wchar_t* name);

    // Reads a REG_SZ value (nullptr: the default value); ERROR_UNSUPPORTED_TYPE for any other
    // type. The text ends at its first null character.
    LONG QueryText(const wchar_t* name, std::wstring& text) const;
    LONG SetText(const wchar_t* name, const std::wstring& text) const;
    LONG SetNumber(const wchar_t* name, DWORD number) const;

    HKEY Get() const { return m_key; }
    explicit operator bool() const { return m_key != nullptr; }
    void Swap(RegistryKeyHandle& other) noexcept { std::swap(m_key, other.m_key); }

private:
    HKEY m_key = nullptr;
};

}  // namespace telvane::win32::com
