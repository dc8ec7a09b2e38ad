#include "registry/cRegistry.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <utility>

#include "common/outlook/RaisedError.h"
#include "registry/RegistryKeyHandle.h"

namespace telvane {
namespace {

using Key = RegistryApi::Key;

// The number of characters in a UTF-8 text, as the name length rule counts them.
std::size_t CharacterCount(const std::string& text) {
    std::size_t count = 0;
    for (unsigned char c : text)
        count += (c & 0xC0) != 0x80;
    return count;
}

// A byte array shows in messages as its bytes in hexadecimal, "01 A0 FF".
std::string DescribeValue(const Variant& value) {
    if (value.GetKind() != Variant::Kind::Bytes)
        return value.ToText();
    std::string text;
    char buffer[4];
    for (std::uint8_t byte : value.AsBytes()) {
        std::snprintf(buffer, sizeof buffer, text.empty() ? "%02X" : " %02X", byte);
        text += buffer;
    }
    return text;
}

// A text is stored as REG_EXPAND_SZ when it has a "%" and another one from two characters after
// the first: %a% qualifies, %% and a lone % do not.
bool LooksExpandable(const std::string& text) {
    std::size_t first = text.find('%');
    return first != std::string::npos && first + 2 <= text.size() &&
           text.find('%', first + 2) != std::string::npos;
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// VB's Trim: blanks only.
std::string TrimBlanks(const std::string& text) {
    std::size_t begin = text.find_first_not_of(' ');
    if (begin == std::string::npos)
        return {};
    return text.substr(begin, text.find_last_not_of(' ') - begin + 1);
}

long SetBytes(RegistryApi& api, Key key, const std::string& name, std::uint32_t type,
              const std::uint8_t* data, std::size_t size) {
    if (size > std::numeric_limits<std::uint32_t>::max())
        return RegistryApi::InvalidParameter;
    return api.RegSetValueExA(key, name, type, data, static_cast<std::uint32_t>(size));
}

long OpenRegistryKey(RegistryApi& api, RegistryKeyHandle& holder, Key root, const std::string& path,
                     std::uint32_t access) {
    Key key = 0;
    long result = api.RegOpenKeyExA(root, path, 0, access, &key);
    if (result == RegistryApi::Success)
        holder.Adopt(key);
    return result;
}

long CreateRegistryKey(RegistryApi& api, RegistryKeyHandle& holder, Key root,
                       const std::string& path) {
    Key key = 0;
    long result = api.RegCreateKeyExA(root, path, RegistryApi::KeyWriteAll, &key, nullptr);
    if (result == RegistryApi::Success)
        holder.Adopt(key);
    return result;
}

// The largest names the registry allows, with room for the terminating zero.
constexpr std::uint32_t KeyNameBuffer = 256;
constexpr std::uint32_t ValueNameBuffer = 16384;

}  // namespace

cRegistry::cRegistry(RegistryApi& api, std::string libraryName)
    : m_api(api), m_source(std::move(libraryName) + ".cRegistry") {}

void cRegistry::Machine(const std::string& name) {
    if (CharacterCount(name) < 3) {
        m_machine.clear();
    } else {
        m_machine = name.starts_with("\\\\") ? name : "\\\\" + name;
    }
}

bool cRegistry::KeyExists() {
    RegistryKeyHandle key(m_api);
    return OpenRegistryKey(m_api, key, RegistryApi::FromClassKey(m_classKey), m_sectionKey,
                           RegistryApi::KeyQueryValue) == RegistryApi::Success;
}

bool cRegistry::CreateKey() {
    RegistryKeyHandle key(m_api);
    if (CreateRegistryKey(m_api, key, RegistryApi::FromClassKey(m_classKey), m_sectionKey) !=
        RegistryApi::Success) {
        Raise(ErrKeyAccess, "Failed to create registry Key: '" + m_sectionKey);
    }
    return true;
}

bool cRegistry::DeleteKey() {
    if (m_api.RegDeleteKeyA(RegistryApi::FromClassKey(m_classKey), m_sectionKey) !=
        RegistryApi::Success) {
        Raise(ErrKeyAccess,
              "Failed to delete registry Key: '" + ClassKeyText() + "',Section: '" + m_sectionKey);
    }
    return true;
}

bool cRegistry::DeleteValue() {
    RegistryKeyHandle key(m_api);
    if (OpenRegistryKey(m_api, key, RegistryApi::FromClassKey(m_classKey), m_sectionKey,
                        RegistryApi::KeyWriteAll) != RegistryApi::Success) {
        Raise(ErrKeyAccess, "Failed to open key '" + ClassKeyText() + "',Section: '" +
                                m_sectionKey + "' for delete access");
    }
    if (m_api.RegDeleteValueA(key.Get(), m_valueKey) != RegistryApi::Success) {
        Raise(ErrKeyAccess, "Failed to delete registry Key: '" + ClassKeyText() + "',Section: '" +
                                m_sectionKey + "',Key: '" + m_valueKey);
    }
    return true;
}

long cRegistry::ConnectRoot(RegistryKeyHandle& connection, Key& root) {
    root = RegistryApi::FromClassKey(m_classKey);
    if (m_machine.empty())
        return RegistryApi::Success;
    Key connected = 0;
    const long result = m_api.RegConnectRegistryA(m_machine, root, &connected);
    if (result != RegistryApi::Success)
        return result;
    connection.Adopt(connected);
    root = connected;
    return RegistryApi::Success;
}

Variant cRegistry::Value() {
    RegistryKeyHandle connection(m_api);  // declared first, so closed after the key
    Key root = 0;
    m_lastReadResult = ConnectRoot(connection, root);
    if (m_lastReadResult != RegistryApi::Success)
        return m_default;
    RegistryKeyHandle key(m_api);
    m_lastReadResult = OpenRegistryKey(m_api, key, root, m_sectionKey, RegistryApi::KeyQueryValue);
    if (m_lastReadResult != RegistryApi::Success)
        return m_default;
    return ReadData(key.Get());
}

Variant cRegistry::ReadData(Key key) {
    std::uint32_t type = 0, size = 0;
    long result = m_api.RegQueryValueExA(key, m_valueKey, &type, nullptr, &size);
    if (result != RegistryApi::Success && result != RegistryApi::MoreData) {
        m_lastReadResult = result;
        return m_default;
    }
    m_valueType = static_cast<std::int32_t>(type);

    // The value can change between the size probe and the read; a few tries cover that. The
    // buffer is never empty: a read without one is answered as another size probe, which would
    // pass off a value that grew from nothing as zeros.
    std::vector<std::uint8_t> data;
    for (int attempt = 0;; ++attempt) {
        data.assign(std::max<std::uint32_t>(size, 1), 0);
        const auto capacity = static_cast<std::uint32_t>(data.size());
        size = capacity;
        result = m_api.RegQueryValueExA(key, m_valueKey, &type, data.data(), &size);
        if (result == RegistryApi::Success && size <= capacity)
            break;
        if (result == RegistryApi::Success)
            result = RegistryApi::MoreData;
        if (result != RegistryApi::MoreData || attempt == 3) {
            m_lastReadResult = result;
            return m_default;
        }
    }
    data.resize(size);
    m_valueType = static_cast<std::int32_t>(type);

    switch (type) {
        case RegistryApi::Sz:
        case RegistryApi::ExpandSz:
        case RegistryApi::MultiSz: {
            // The terminator is dropped when there is one; a value stored without it, or with
            // no bytes at all, keeps every byte it has.
            std::string text(data.begin(), data.end());
            if (!text.empty() && text.back() == '\0')
                text.pop_back();
            if (type == RegistryApi::ExpandSz)
                return Variant(ExpandEnvironmentText(text));
            return Variant(std::move(text));
        }
        case RegistryApi::Dword:
        case RegistryApi::DwordBigEndian: {
            // Only four bytes make a number; anything else comes back as the bytes stored.
            if (data.size() != 4)
                break;
            std::int32_t number = static_cast<std::int32_t>(
                data[0] | data[1] << 8 | data[2] << 16 | static_cast<std::uint32_t>(data[3]) << 24);
            if (type == RegistryApi::DwordBigEndian)
                number = ReverseByteOrder(number);
            return Variant(number);
        }
        default:
            break;
    }
    return Variant(std::move(data));
}

void cRegistry::Value(const Variant& value) {
    RegistryKeyHandle connection(m_api);
    Key root = 0;
    m_lastWriteResult = ConnectRoot(connection, root);
    if (m_lastWriteResult != RegistryApi::Success)
        Raise(ErrKeyAccess, SetValueDescription(value));
    RegistryKeyHandle key(m_api);
    m_lastWriteResult = CreateRegistryKey(m_api, key, root, m_sectionKey);
    if (m_lastWriteResult != RegistryApi::Success)
        Raise(ErrKeyAccess, SetValueDescription(value));
    m_lastWriteResult = WriteData(key.Get(), value);
    if (m_lastWriteResult != RegistryApi::Success)
        Raise(ErrSetValue, SetValueDescription(value));
}

long cRegistry::WriteData(Key key, const Variant& value) {
    constexpr long NotWritable = RaisedError::TypeMismatch;
    switch (m_valueType) {
        case RegSz:
        case RegExpandSz: {
            // A byte array has no text form to store.
            if (value.GetKind() == Variant::Kind::Bytes)
                return NotWritable;
            std::string text = value.ToText();
            std::uint32_t type = LooksExpandable(text) ? RegistryApi::ExpandSz : RegistryApi::Sz;
            return SetBytes(m_api, key, m_valueKey, type,
                            reinterpret_cast<const std::uint8_t*>(text.c_str()), text.size() + 1);
        }
        case RegBinary: {
            if (value.GetKind() != Variant::Kind::Bytes)
                throw RaisedError(ErrKeyAccess, "", "");
            const auto& bytes = value.AsBytes();
            return SetBytes(m_api, key, m_valueKey, RegistryApi::Binary, bytes.data(),
                            bytes.size());
        }
        case RegDword:
        case RegDwordBigEndian: {
            // Only whole numbers are stored; anything else is quietly left out.
            if (!value.IsWholeNumber())
                return RegistryApi::Success;
            auto number = static_cast<std::uint32_t>(value.ToInt32());
            const std::uint8_t bytes[4] = {
                static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
                static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)};
            return SetBytes(m_api, key, m_valueKey, RegistryApi::Dword, bytes, sizeof bytes);
        }
        default:
            return NotWritable;
    }
}

bool cRegistry::EnumerateValues(std::vector<std::string>& names, std::int32_t& count) {
    names.clear();
    count = 0;
    RegistryKeyHandle key(m_api);
    if (OpenRegistryKey(m_api, key, RegistryApi::FromClassKey(m_classKey), m_sectionKey,
                        RegistryApi::KeyQueryValue) != RegistryApi::Success) {
        return true;
    }
    std::uint32_t longest = 0;
    if (m_api.RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, &longest, nullptr) !=
        RegistryApi::Success) {
        return true;
    }
    std::vector<char> buffer(longest + 1);
    for (std::uint32_t index = 0;; ++index) {
        auto size = static_cast<std::uint32_t>(buffer.size());
        long result =
            m_api.RegEnumValueA(key.Get(), index, buffer.data(), &size, nullptr, nullptr, nullptr);
        // The longest length is counted in characters, which an ANSI name in a double-byte
        // code page can outgrow: one more try with the largest name there can be.
        if (result == RegistryApi::MoreData && buffer.size() < ValueNameBuffer) {
            buffer.resize(ValueNameBuffer);
            size = ValueNameBuffer;
            result = m_api.RegEnumValueA(key.Get(), index, buffer.data(), &size, nullptr, nullptr,
                                         nullptr);
        }
        if (result != RegistryApi::Success)
            break;
        names.emplace_back(buffer.data(), std::min<std::size_t>(size, buffer.size()));
        ++count;
    }
    return true;
}

bool cRegistry::EnumerateSections(std::vector<std::string>& names, std::int32_t& count) {
    names.clear();
    count = 0;
    RegistryKeyHandle key(m_api);
    if (OpenRegistryKey(m_api, key, RegistryApi::FromClassKey(m_classKey), m_sectionKey,
                        RegistryApi::KeyEnumerateSubKeys) != RegistryApi::Success) {
        return true;
    }
    try {
        char buffer[KeyNameBuffer];
        for (std::uint32_t index = 0;; ++index) {
            if (m_api.RegEnumKeyA(key.Get(), index, buffer, sizeof buffer) !=
                RegistryApi::Success) {
                break;
            }
            names.emplace_back(buffer, std::find(buffer, buffer + sizeof buffer, '\0'));
            ++count;
        }
    } catch (const RaisedError& error) {
        Raise(ErrEnumerateSections, error.Description());
    } catch (const std::exception& error) {
        Raise(ErrEnumerateSections, error.what());
    }
    return true;
}

void cRegistry::CreateEXEAssociation(const std::string& programPath, const std::string& className,
                                     const std::string& classDescription,
                                     const std::string& extension, const std::string& openVerbText,
                                     bool supportsPrint, const std::string& printVerbText,
                                     bool supportsNew, const std::string& newVerbText,
                                     bool supportsInstall, const std::string& installVerbText,
                                     std::int32_t defaultIconIndex) {
    std::string path = TrimBlanks(programPath);
    if (!path.starts_with('"'))
        path.insert(0, 1, '"');
    if (path.size() < 2 || !path.ends_with('"'))
        path += '"';

    auto write = [this](const std::string& section, const std::string& text) {
        m_sectionKey = section;
        m_valueKey.clear();
        WriteClassValue(text);
    };
    auto verb = [&](const std::string& name, const std::string& text, const std::string& label,
                    const std::string& option) {
        const std::string section = className + "\\shell\\" + name;
        write(section, text.empty() ? label : text);
        write(section + "\\command", path + " " + option + Quoted("%1"));
    };

    m_valueType = RegSz;
    write("." + extension, className);
    write(className, classDescription);
    verb("open", openVerbText, "&Open", "");
    if (supportsPrint)
        verb("print", printVerbText, "&Print", "/p ");
    if (supportsInstall)
        verb("add", installVerbText, "&Install " + extension, "/a ");
    if (supportsNew)
        verb("new", newVerbText, "&New", "/n ");
    if (defaultIconIndex >= 0) {
        write(className + "\\DefaultIcon", path + "," + std::to_string(defaultIconIndex));
    }
}

void cRegistry::CreateAdditionalEXEAssociations(const std::string& className,
                                                const std::vector<Variant>& items) {
    if (items.size() % 3 != 0) {
        Raise(ErrAssociationArguments,
              "Invalid parameter list passed to CreateAdditionalEXEAssociations - expected "
              "Name/Text/Command");
    }
    m_sectionKey = className;
    if (!KeyExists()) {
        Raise(ErrClassNotDefined,
              "Error - attempt to create additional associations before class defined.");
    }
    // Each write stands alone: one that fails is passed over and the next one made.
    auto write = [this](const std::string& section, const Variant& text) {
        try {
            m_sectionKey = section;
            m_valueKey.clear();
            WriteClassValue(text.ToText());
        } catch (const RaisedError&) {
        }
    };
    for (std::size_t i = 0; i < items.size(); i += 3) {
        m_valueType = RegSz;
        std::string section;
        try {
            section = className + "\\shell\\" + items[i].ToText();
        } catch (const RaisedError&) {
            continue;
        }
        write(section, items[i + 1]);
        write(section + "\\command", items[i + 2]);
    }
}

Variant cRegistry::ValueEx(std::int32_t classKey, const std::string& sectionKey,
                           const std::string& valueKey, std::int32_t valueType,
                           const Variant& defaultValue) {
    m_classKey = classKey;
    m_sectionKey = sectionKey;
    m_valueKey = valueKey;
    m_valueType = valueType;
    m_default = defaultValue;
    return Value();
}

void cRegistry::ValueEx(std::int32_t classKey, const std::string& sectionKey,
                        const std::string& valueKey, std::int32_t valueType,
                        const Variant& defaultValue, const Variant& newValue) {
    m_classKey = classKey;
    m_sectionKey = sectionKey;
    m_valueKey = valueKey;
    m_valueType = valueType;
    m_default = defaultValue;
    bool emptyText = m_valueType == RegSz && newValue.GetKind() != Variant::Kind::Bytes &&
                     newValue.ToText().empty();
    Value(emptyText ? m_default : newValue);
}

void cRegistry::WriteClassValue(const std::string& text) {
    const std::string section = m_sectionKey;
    m_classKey = ClassesRoot;
    Value(Variant(text));
    m_classKey = LocalMachine;
    m_sectionKey = "SOFTWARE\\Classes\\" + section;
    Value(Variant(text));
    m_sectionKey = section;
}

std::int32_t cRegistry::ReverseByteOrder(std::int32_t number) {
    auto bits = static_cast<std::uint32_t>(number);
    bits = (bits >> 24) | ((bits >> 8) & 0xFF00u) | ((bits << 8) & 0xFF0000u) | (bits << 24);
    return static_cast<std::int32_t>(bits);
}

std::string cRegistry::ExpandEnvironmentText(const std::string& text) {
    // On failure the text is kept as stored rather than lost.
    std::uint32_t needed = m_api.ExpandEnvironmentStringsA(text, nullptr, 0);
    for (int attempt = 0; needed != 0 && attempt < 3; ++attempt) {
        // The ANSI form may need one character more than it reports.
        std::vector<char> buffer(needed + 1, '\0');
        auto size = static_cast<std::uint32_t>(buffer.size());
        std::uint32_t written = m_api.ExpandEnvironmentStringsA(text, buffer.data(), size);
        if (written != 0 && written <= size)
            return std::string(buffer.begin(), std::find(buffer.begin(), buffer.end(), '\0'));
        needed = written;  // the environment changed in between: try with the new size
    }
    return text;
}

std::string cRegistry::SetValueDescription(const Variant& value) const {
    return "Failed to set registry value Key: '" + ClassKeyText() + "',Section: '" + m_sectionKey +
           "',Key: '" + m_valueKey + "' to value: '" + DescribeValue(value) + "'";
}

std::string cRegistry::ClassKeyText() const {
    return std::to_string(m_classKey);
}

void cRegistry::Raise(std::int32_t number, std::string description) const {
    throw RaisedError(number, m_source, std::move(description));
}

}  // namespace telvane
