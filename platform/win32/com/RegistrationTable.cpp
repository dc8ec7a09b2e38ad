#include "platform/win32/com/RegistrationTable.h"

#include <algorithm>
#include <cwctype>

#include "platform/win32/com/RegistryKeyHandle.h"

namespace telvane::win32::com {
namespace {

using Kind = RegistrationEntry::Kind;

LONG IgnoreMissing(LONG error) {
    return error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : error;
}

LONG WriteEntry(const RegistrationEntry& entry) {
    LONG error = ERROR_SUCCESS;
    const RegistryKeyHandle key = RegistryKeyHandle::Create(entry.root, entry.key.c_str(), &error);
    if (!key)
        return error;
    const wchar_t* name = entry.name.empty() ? nullptr : entry.name.c_str();
    switch (entry.kind) {
        case Kind::OwnedKey:
        case Kind::ParentKey:
            return ERROR_SUCCESS;
        case Kind::Text:
            return key.SetText(name, entry.text);
        case Kind::Number:
            return key.SetNumber(name, entry.number);
    }
    return ERROR_INVALID_PARAMETER;
}

LONG RemoveOwnedKey(const RegistrationEntry& entry) {
    return IgnoreMissing(RegistryKeyHandle::DeleteTree(entry.root, entry.key.c_str()));
}

LONG RemoveParentKeyWhenEmpty(const RegistrationEntry& entry) {
    DWORD subKeys = 0;
    DWORD values = 0;
    {
        LONG error = ERROR_SUCCESS;
        const RegistryKeyHandle key =
            RegistryKeyHandle::Open(entry.root, entry.key.c_str(), KEY_READ, &error);
        if (!key)
            return IgnoreMissing(error);
        error = ::RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr,
                                   &values, nullptr, nullptr, nullptr, nullptr);
        if (error != ERROR_SUCCESS)
            return error;
    }
    if (subKeys != 0 || values != 0)
        return ERROR_SUCCESS;
    return IgnoreMissing(::RegDeleteKeyW(entry.root, entry.key.c_str()));
}

LONG RemoveValue(const RegistrationEntry& entry) {
    return IgnoreMissing(RegistryKeyHandle::DeleteValue(
        entry.root, entry.key.c_str(), entry.name.empty() ? nullptr : entry.name.c_str()));
}

bool SameText(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](wchar_t x, wchar_t y) { return std::towlower(x) == std::towlower(y); });
}

// Registry names compare without regard to case.
bool IsAtOrBelow(const std::wstring& key, const std::wstring& ancestor) {
    if (key.size() < ancestor.size())
        return false;
    if (!SameText(std::wstring_view(key).substr(0, ancestor.size()), ancestor))
        return false;
    return key.size() == ancestor.size() || key[ancestor.size()] == L'\\';
}

}  // namespace

RegistrationEntry RegistrationTable::OwnedKey(HKEY root, std::wstring key) {
    return {Kind::OwnedKey, root, std::move(key), {}, {}, 0};
}

RegistrationEntry RegistrationTable::ParentKey(HKEY root, std::wstring key) {
    return {Kind::ParentKey, root, std::move(key), {}, {}, 0};
}

RegistrationEntry RegistrationTable::Text(HKEY root, std::wstring key, std::wstring name,
                                          std::wstring text) {
    return {Kind::Text, root, std::move(key), std::move(name), std::move(text), 0};
}

RegistrationEntry RegistrationTable::Number(HKEY root, std::wstring key, std::wstring name,
                                            DWORD number) {
    return {Kind::Number, root, std::move(key), std::move(name), {}, number};
}

LONG RegistrationTable::Write() const {
    if (const LONG error = RemoveOwnedKeys(); error != ERROR_SUCCESS)
        return error;
    for (const RegistrationEntry& entry : m_entries) {
        if (const LONG error = WriteEntry(entry); error != ERROR_SUCCESS)
            return error;
    }
    return ERROR_SUCCESS;
}

LONG RegistrationTable::Remove() const {
    LONG first = ERROR_SUCCESS;
    for (auto entry = m_entries.rbegin(); entry != m_entries.rend(); ++entry) {
        LONG error = ERROR_SUCCESS;
        switch (entry->kind) {
            case Kind::OwnedKey:
                error = RemoveOwnedKey(*entry);
                break;
            case Kind::ParentKey:
                error = RemoveParentKeyWhenEmpty(*entry);
                break;
            case Kind::Text:
            case Kind::Number:
                if (!UnderOwnedKey(*entry))
                    error = RemoveValue(*entry);
                break;
        }
        // Go on removing the rest: a half-removed registration helps nobody.
        if (first == ERROR_SUCCESS)
            first = error;
    }
    return first;
}

LONG RegistrationTable::RemoveOwnedKeys() const {
    for (const RegistrationEntry& entry : m_entries) {
        if (entry.kind != Kind::OwnedKey)
            continue;
        if (const LONG error = RemoveOwnedKey(entry); error != ERROR_SUCCESS)
            return error;
    }
    return ERROR_SUCCESS;
}

bool RegistrationTable::UnderOwnedKey(const RegistrationEntry& value) const {
    return std::any_of(m_entries.begin(), m_entries.end(), [&](const RegistrationEntry& entry) {
        return entry.kind == Kind::OwnedKey && entry.root == value.root &&
               IsAtOrBelow(value.key, entry.key);
    });
}

}  // namespace telvane::win32::com
