#include "tests/win32/RegistryReader.h"

#include <vector>

#include "platform/win32/com/RegistryKeyHandle.h"

namespace telvane::win32::test {
namespace {

using com::RegistryKeyHandle;

void SnapshotInto(HKEY key, const std::wstring& path, std::map<std::wstring, std::wstring>& out) {
    out[path] = L"";
    for (DWORD i = 0;; ++i) {
        wchar_t name[16384];
        DWORD nameSize = 16384;
        DWORD type = 0;
        BYTE data[4096];
        DWORD dataSize = sizeof data;
        if (::RegEnumValueW(key, i, name, &nameSize, nullptr, &type, data, &dataSize) !=
            ERROR_SUCCESS) {
            break;
        }
        std::wstring text = std::to_wstring(type) + L":";
        if (type == REG_SZ || type == REG_EXPAND_SZ) {
            text += std::wstring(reinterpret_cast<const wchar_t*>(data), dataSize / 2);
        } else if (type == REG_DWORD) {
            text += std::to_wstring(*reinterpret_cast<const DWORD*>(data));
        } else {
            for (DWORD b = 0; b < dataSize; ++b)
                text += std::to_wstring(data[b]) + L" ";
        }
        out[path + L"|" + name] = text;
    }
    for (const std::wstring& name : SubKeyNames(key, L"")) {
        const RegistryKeyHandle sub = RegistryKeyHandle::Open(key, name.c_str(), KEY_READ);
        if (sub)
            SnapshotInto(sub.Get(), path.empty() ? name : path + L"\\" + name, out);
    }
}

}  // namespace

std::optional<std::wstring> ReadText(HKEY root, const std::wstring& key, const wchar_t* name) {
    const RegistryKeyHandle opened = RegistryKeyHandle::Open(root, key.c_str(), KEY_QUERY_VALUE);
    std::wstring text;
    if (!opened || opened.QueryText(name, text) != ERROR_SUCCESS)
        return std::nullopt;
    return text;
}

std::optional<DWORD> ReadNumber(HKEY root, const std::wstring& key, const wchar_t* name) {
    const RegistryKeyHandle opened = RegistryKeyHandle::Open(root, key.c_str(), KEY_QUERY_VALUE);
    DWORD type = 0;
    DWORD number = 0;
    DWORD size = sizeof number;
    if (!opened ||
        ::RegQueryValueExW(opened.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&number),
                           &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof number) {
        return std::nullopt;
    }
    return number;
}

bool WriteText(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& text) {
    const RegistryKeyHandle created = RegistryKeyHandle::Create(root, key.c_str());
    return created && created.SetText(name, text) == ERROR_SUCCESS;
}

bool WriteNumber(HKEY root, const std::wstring& key, const wchar_t* name, DWORD number) {
    const RegistryKeyHandle created = RegistryKeyHandle::Create(root, key.c_str());
    return created && created.SetNumber(name, number) == ERROR_SUCCESS;
}

bool KeyExists(HKEY root, const std::wstring& key) {
    return static_cast<bool>(RegistryKeyHandle::Open(root, key.c_str(), KEY_READ));
}

std::set<std::wstring> SubKeyNames(HKEY root, const std::wstring& key) {
    std::set<std::wstring> names;
    const RegistryKeyHandle opened =
        RegistryKeyHandle::Open(root, key.empty() ? nullptr : key.c_str(), KEY_READ);
    if (!opened)
        return names;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD size = 256;
        if (::RegEnumKeyExW(opened.Get(), i, name, &size, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        names.insert(name);
    }
    return names;
}

std::map<std::wstring, std::wstring> Snapshot(HKEY root, const std::wstring& key) {
    std::map<std::wstring, std::wstring> out;
    const RegistryKeyHandle opened = RegistryKeyHandle::Open(root, key.c_str(), KEY_READ);
    if (opened)
        SnapshotInto(opened.Get(), L"", out);
    return out;
}

}  // namespace telvane::win32::test
