#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace telvane::win32::com {

// One key or value that a server's registration writes.
struct RegistrationEntry {
    enum class Kind {
        OwnedKey,   // ours: removed with everything below it
        ParentKey,  // created when missing; removed only when nothing is left in it
        Text,       // REG_SZ value; an empty name is the key's default value
        Number,     // REG_DWORD value
    };
    Kind kind;
    HKEY root;
    std::wstring key;
    std::wstring name;
    std::wstring text;
    DWORD number = 0;
};

// A server's registration as data: one routine writes every entry, one removes them. Writing
// twice leaves what writing once leaves; removing what is not there is no error.
class RegistrationTable {
public:
    explicit RegistrationTable(std::vector<RegistrationEntry> entries)
        : m_entries(std::move(entries)) {}

    static RegistrationEntry OwnedKey(HKEY root, std::wstring key);
    static RegistrationEntry ParentKey(HKEY root, std::wstring key);
    static RegistrationEntry Text(HKEY root, std::wstring key, std::wstring name,
                                  std::wstring text);
    static RegistrationEntry Number(HKEY root, std::wstring key, std::wstring name, DWORD number);

    // Removes the owned keys, then writes every entry in order. Returns the first platform
    // error code, or ERROR_SUCCESS.
    LONG Write() const;
    // Removes every entry, last first. Returns the first platform error code other than a
    // missing key or value, or ERROR_SUCCESS.
    LONG Remove() const;

    const std::vector<RegistrationEntry>& Entries() const { return m_entries; }

private:
    LONG RemoveOwnedKeys() const;
    bool UnderOwnedKey(const RegistrationEntry& value) const;

    std::vector<RegistrationEntry> m_entries;
};

}  // namespace telvane::win32::com
