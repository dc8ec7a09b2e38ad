#include "platform/win32/registry/Win32Registry.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

#include "platform/win32/com/TextConversion.h"

namespace telvane::win32 {
namespace {

using Bytes = std::vector<std::uint8_t>;

HKEY Handle(RegistryApi::Key key) {
    return reinterpret_cast<HKEY>(key);
}

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool IsText(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

std::string_view View(const Bytes& bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// ASCII is the same in UTF-8 and every ANSI code page: only other text is converted.
std::string ToAnsi(std::string_view utf8) {
    return IsAscii(utf8) ? std::string(utf8) : com::AnsiFromUtf8(utf8);
}

std::string ToUtf8(std::string_view ansi) {
    return IsAscii(ansi) ? std::string(ansi) : com::Utf8FromAnsi(ansi);
}

Bytes ToUtf8Data(DWORD type, Bytes data) {
    if (!IsText(type) || IsAscii(View(data)))
        return data;
    const std::string text = com::Utf8FromAnsi(View(data));
    return Bytes(text.begin(), text.end());
}

// The platform's protocol for handing out a buffer: a size probe, a buffer too small, or the
// data itself.
long Deliver(const Bytes& bytes, std::uint8_t* data, std::uint32_t* dataSize) {
    if (!dataSize)
        return ERROR_SUCCESS;
    const auto needed = static_cast<std::uint32_t>(bytes.size());
    if (data) {
        if (*dataSize < needed) {
            *dataSize = needed;
            return ERROR_MORE_DATA;
        }
        std::copy(bytes.begin(), bytes.end(), data);
    }
    *dataSize = needed;
    return ERROR_SUCCESS;
}

long ReadValue(HKEY key, const std::string& ansiName, DWORD& type, Bytes& data) {
    for (;;) {
        DWORD size = 0;
        LONG error = ::RegQueryValueExA(key, ansiName.c_str(), nullptr, &type, nullptr, &size);
        if (error != ERROR_SUCCESS)
            return error;
        data.resize(size);
        error = ::RegQueryValueExA(key, ansiName.c_str(), nullptr, &type, data.data(), &size);
        if (error == ERROR_MORE_DATA)
            continue;  // it grew meanwhile
        data.resize(size);
        return error;
    }
}

struct EnumeratedValue {
    std::string name;
    DWORD type = 0;
    Bytes data;
};

long EnumerateValue(HKEY key, DWORD index, EnumeratedValue& value) {
    DWORD longestName = 0;
    DWORD longestData = 0;
    LONG error = ::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                    nullptr, &longestName, &longestData, nullptr, nullptr);
    if (error != ERROR_SUCCESS)
        return error;
    for (;;) {
        std::string name(longestName + 1, '\0');
        Bytes data(longestData);
        DWORD nameSize = longestName + 1;
        DWORD dataSize = longestData;
        error = ::RegEnumValueA(key, index, name.data(), &nameSize, nullptr, &value.type,
                                data.data(), &dataSize);
        if (error == ERROR_MORE_DATA) {  // it grew meanwhile
            longestName = longestName * 2 + 16;
            longestData = std::max<DWORD>(longestData * 2, dataSize);
            continue;
        }
        if (error != ERROR_SUCCESS)
            return error;
        name.resize(nameSize);
        data.resize(dataSize);
        value.name = ToUtf8(name);
        value.data = ToUtf8Data(value.type, std::move(data));
        return ERROR_SUCCESS;
    }
}

long EnumerateKey(HKEY key, DWORD index, std::string& name) {
    // A key name has at most 255 characters, two bytes each in a double-byte code page.
    char buffer[2 * 256] = {};
    const LONG error = ::RegEnumKeyA(key, index, buffer, sizeof(buffer));
    if (error == ERROR_SUCCESS)
        name = ToUtf8(buffer);
    return error;
}

}  // namespace

long Win32Registry::RegOpenKeyExA(Key key, const std::string& subKey, std::uint32_t options,
                                  std::uint32_t samDesired, Key* result) {
    if (!result)
        return ERROR_INVALID_PARAMETER;
    HKEY opened = nullptr;
    const LONG error =
        ::RegOpenKeyExA(Handle(key), ToAnsi(subKey).c_str(), options, samDesired, &opened);
    if (error == ERROR_SUCCESS)
        *result = reinterpret_cast<Key>(opened);
    return error;
}

long Win32Registry::RegCreateKeyExA(Key key, const std::string& subKey, std::uint32_t samDesired,
                                    Key* result, std::uint32_t* disposition) {
    if (!result)
        return ERROR_INVALID_PARAMETER;
    HKEY created = nullptr;
    DWORD how = 0;
    const LONG error =
        ::RegCreateKeyExA(Handle(key), ToAnsi(subKey).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          samDesired, nullptr, &created, &how);
    if (error != ERROR_SUCCESS)
        return error;
    *result = reinterpret_cast<Key>(created);
    if (disposition)
        *disposition = how;
    return ERROR_SUCCESS;
}

long Win32Registry::RegQueryValueExA(Key key, const std::string& valueName, std::uint32_t* type,
                                     std::uint8_t* data, std::uint32_t* dataSize) {
    if (data && !dataSize)
        return ERROR_INVALID_PARAMETER;
    DWORD found = 0;
    Bytes bytes;
    const LONG error = ReadValue(Handle(key), ToAnsi(valueName), found, bytes);
    if (error != ERROR_SUCCESS)
        return error;
    if (type)
        *type = found;
    return Deliver(ToUtf8Data(found, std::move(bytes)), data, dataSize);
}

long Win32Registry::RegSetValueExA(Key key, const std::string& valueName, std::uint32_t type,
                                   const std::uint8_t* data, std::uint32_t dataSize) {
    const std::string name = ToAnsi(valueName);
    if (data && IsText(type)) {
        const std::string_view text(reinterpret_cast<const char*>(data), dataSize);
        if (!IsAscii(text)) {
            const std::string ansi = com::AnsiFromUtf8(text);
            return ::RegSetValueExA(Handle(key), name.c_str(), 0, type,
                                    reinterpret_cast<const BYTE*>(ansi.data()),
                                    static_cast<DWORD>(ansi.size()));
        }
    }
    return ::RegSetValueExA(Handle(key), name.c_str(), 0, type, data, dataSize);
}

long Win32Registry::RegEnumKeyA(Key key, std::uint32_t index, char* name, std::uint32_t nameSize) {
    std::string found;
    const LONG error = EnumerateKey(Handle(key), index, found);
    if (error != ERROR_SUCCESS)
        return error;
    if (!name)
        return ERROR_INVALID_PARAMETER;
    if (found.size() + 1 > nameSize)
        return ERROR_MORE_DATA;
    std::memcpy(name, found.c_str(), found.size() + 1);
    return ERROR_SUCCESS;
}

long Win32Registry::RegEnumValueA(Key key, std::uint32_t index, char* name, std::uint32_t* nameSize,
                                  std::uint32_t* type, std::uint8_t* data,
                                  std::uint32_t* dataSize) {
    if (!name || !nameSize || (data && !dataSize))
        return ERROR_INVALID_PARAMETER;
    EnumeratedValue value;
    const LONG error = EnumerateValue(Handle(key), index, value);
    if (error != ERROR_SUCCESS)
        return error;
    if (value.name.size() + 1 > *nameSize)
        return ERROR_MORE_DATA;
    const auto needed = static_cast<std::uint32_t>(value.data.size());
    if (data && *dataSize < needed) {
        *dataSize = needed;
        return ERROR_MORE_DATA;
    }
    std::memcpy(name, value.name.c_str(), value.name.size() + 1);
    *nameSize = static_cast<std::uint32_t>(value.name.size());
    if (type)
        *type = value.type;
    return Deliver(value.data, data, dataSize);
}

long Win32Registry::RegQueryInfoKeyA(Key key, std::uint32_t* subKeys, std::uint32_t* maxSubKeyLen,
                                     std::uint32_t* values, std::uint32_t* maxValueNameLen,
                                     std::uint32_t* maxValueLen) {
    DWORD keyCount = 0;
    DWORD valueCount = 0;
    LONG error = ::RegQueryInfoKeyA(Handle(key), nullptr, nullptr, nullptr, &keyCount, nullptr,
                                    nullptr, &valueCount, nullptr, nullptr, nullptr, nullptr);
    if (error != ERROR_SUCCESS)
        return error;

    // The longest names and data as the product receives them, in UTF-8.
    std::size_t longestKey = 0;
    if (maxSubKeyLen) {
        for (DWORD i = 0; i < keyCount; ++i) {
            std::string name;
            error = EnumerateKey(Handle(key), i, name);
            if (error == ERROR_NO_MORE_ITEMS)
                break;
            if (error != ERROR_SUCCESS)
                return error;
            longestKey = std::max(longestKey, name.size());
        }
    }
    std::size_t longestName = 0;
    std::size_t longestData = 0;
    if (maxValueNameLen || maxValueLen) {
        for (DWORD i = 0; i < valueCount; ++i) {
            EnumeratedValue value;
            error = EnumerateValue(Handle(key), i, value);
            if (error == ERROR_NO_MORE_ITEMS)
                break;
            if (error != ERROR_SUCCESS)
                return error;
            longestName = std::max(longestName, value.name.size());
            longestData = std::max(longestData, value.data.size());
        }
    }
    if (subKeys)
        *subKeys = keyCount;
    if (maxSubKeyLen)
        *maxSubKeyLen = static_cast<std::uint32_t>(longestKey);
    if (values)
        *values = valueCount;
    if (maxValueNameLen)
        *maxValueNameLen = static_cast<std::uint32_t>(longestName);
    if (maxValueLen)
        *maxValueLen = static_cast<std::uint32_t>(longestData);
    return ERROR_SUCCESS;
}

long Win32Registry::RegDeleteKeyA(Key key, const std::string& subKey) {
    return ::RegDeleteKeyA(Handle(key), ToAnsi(subKey).c_str());
}

long Win32Registry::RegDeleteValueA(Key key, const std::string& valueName) {
    return ::RegDeleteValueA(Handle(key), ToAnsi(valueName).c_str());
}

long Win32Registry::RegConnectRegistryA(const std::string& machine, Key root, Key* result) {
    if (!result)
        return ERROR_INVALID_PARAMETER;
    HKEY connected = nullptr;
    const std::string name = ToAnsi(machine);
    const LONG error =
        ::RegConnectRegistryA(name.empty() ? nullptr : name.c_str(), Handle(root), &connected);
    if (error == ERROR_SUCCESS)
        *result = reinterpret_cast<Key>(connected);
    return error;
}

long Win32Registry::RegCloseKey(Key key) {
    return ::RegCloseKey(Handle(key));
}

std::uint32_t Win32Registry::ExpandEnvironmentStringsA(const std::string& source, char* destination,
                                                       std::uint32_t size) {
    const std::string ansi = ToAnsi(source);
    std::string expanded;
    for (DWORD room = static_cast<DWORD>(ansi.size()) + 1;;) {
        expanded.assign(room, '\0');
        const DWORD needed = ::ExpandEnvironmentStringsA(ansi.c_str(), expanded.data(), room);
        if (needed == 0)
            return 0;
        if (needed <= room) {
            expanded.resize(std::strlen(expanded.c_str()));
            break;
        }
        room = needed;
    }
    const std::string utf8 = ToUtf8(expanded);
    const auto needed = static_cast<std::uint32_t>(utf8.size() + 1);
    if (destination && size >= needed)
        std::memcpy(destination, utf8.c_str(), needed);
    return needed;
}

}  // namespace telvane::win32
