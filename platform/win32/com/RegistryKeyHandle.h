#pragma once

#include <windows.h>

#include <utility>

namespace telvane::win32::com {

// Owns an open registry key.
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
                                  LONG* error = nullptr) {
        HKEY key = nullptr;
        const LONG result = ::RegOpenKeyExW(root, path, 0, access, &key);
        if (error)
            *error = result;
        return RegistryKeyHandle(result == ERROR_SUCCESS ? key : nullptr);
    }
    // Opens root\path, creating what is missing.
    static RegistryKeyHandle Create(HKEY root, const wchar_t* path, LONG* error = nullptr) {
        HKEY key = nullptr;
        const LONG result = ::RegCreateKeyExW(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                              KEY_READ | KEY_WRITE, nullptr, &key, nullptr);
        if (error)
            *error = result;
        return RegistryKeyHandle(result == ERROR_SUCCESS ? key : nullptr);
    }

    HKEY Get() const { return m_key; }
    explicit operator bool() const { return m_key != nullptr; }
    void Swap(RegistryKeyHandle& other) noexcept { std::swap(m_key, other.m_key); }

private:
    HKEY m_key = nullptr;
};

}  // namespace telvane::win32::com
