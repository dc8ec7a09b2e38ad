#include "platform/win32/com/RegistryKeyHandle.h"

#include <cwchar>

namespace telvane::win32::com {

RegistryKeyHandle RegistryKeyHandle::Open(HKEY root, const wchar_t* path, REGSAM access,
                                          LONG* error) {
    HKEY key = nullptr;
    const LONG result = ::RegOpenKeyExW(root, path, 0, access, &key);
    if (error)
        *error = result;
    return RegistryKeyHandle(result == ERROR_SUCCESS ? key : nullptr);
}

RegistryKeyHandle RegistryKeyHandle::Create(HKEY root, const wchar_t* path, LONG* error) {
    HKEY key = nullptr;
    const LONG result = ::RegCreateKeyExW(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                          KEY_READ | KEY_WRITE, nullptr, &key, nullptr);
    if (error)
        *error = result;
    return RegistryKeyHandle(result == ERROR_SUCCESS ? key : nullptr);
}

LONG RegistryKeyHandle::DeleteTree(HKEY root, const wchar_t* path) {
    LONG error = ERROR_SUCCESS;
    {
        const RegistryKeyHandle key = Open(root, path, KEY_READ, &error);
        if (!key)
            return error;
        // Deleting shifts the indexes, so the first subkey is always the next one.
        for (;;) {
            wchar_t name[256];  // the longest key name the registry allows, and its null
            DWORD size = 256;
            error = ::RegEnumKeyExW(key.Get(), 0, name, &size, nullptr, nullptr, nullptr, nullptr);
            if (error == ERROR_NO_MORE_ITEMS)
                break;
            if (error != ERROR_SUCCESS)
                return error;
            error = DeleteTree(key.Get(), name);
            if (error != ERROR_SUCCESS)
                return error;
        }
    }
    return ::RegDeleteKeyW(root, path);
}

LONG RegistryKeyHandle::DeleteValue(HKEY root, const wchar_t* path, const wchar_t* name) {
    LONG error = ERROR_SUCCESS;
    const RegistryKeyHandle key = Open(root, path, KEY_SET_VALUE, &error);
    if (!key)
        return error;
    return ::RegDeleteValueW(key.Get(), name);
}

LONG RegistryKeyHandle::QueryText(const wchar_t* name, std::wstring& text) const {
    DWORD type = 0;
    DWORD size = 0;
    LONG error = ::RegQueryValueExW(m_key, name, nullptr, &type, nullptr, &size);
    if (error != ERROR_SUCCESS)
        return error;
    if (type != REG_SZ)
        return ERROR_UNSUPPORTED_TYPE;
    // Stored text need not end with a null character: leave room for one.
    std::wstring buffer(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    error = ::RegQueryValueExW(m_key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                               &size);
    if (error != ERROR_SUCCESS)
        return error;
    if (type != REG_SZ)
        return ERROR_UNSUPPORTED_TYPE;
    buffer.resize(std::wcslen(buffer.c_str()));
    text = std::move(buffer);
    return ERROR_SUCCESS;
}

LONG RegistryKeyHandle::SetText(const wchar_t* name, const std::wstring& text) const {
    return ::RegSetValueExW(m_key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

LONG RegistryKeyHandle::SetNumber(const wchar_t* name, DWORD number) const {
    return ::RegSetValueExW(m_key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                            sizeof number);
}

}  // namespace telvane::win32::com
