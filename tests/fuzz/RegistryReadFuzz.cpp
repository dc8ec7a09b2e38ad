#include "tests/fuzz/RegistryReadFuzz.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "common/outlook/RaisedError.h"
#include "platform/memory/registry/MemoryRegistry.h"
#include "registry/Settings.h"
#include "registry/cRegistry.h"

namespace telvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

[[noreturn]] void Violated(const char* what) {
    std::fprintf(stderr, "registry read fuzz: %s\n", what);
    std::abort();
}

void Require(bool condition, const char* what) {
    if (!condition)
        Violated(what);
}

// Reads the input front to back; past its end every read gives zeros.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    std::uint8_t Byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    Bytes Take(std::size_t count) {
        count = std::min(count, m_size - m_pos);
        Bytes bytes(m_data + m_pos, m_data + m_pos + count);
        m_pos += count;
        return bytes;
    }
    Bytes Rest() { return Take(m_size - m_pos); }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

// Replaces the value once, right after the first size probe, as another program could.
class ChangingRegistry : public memory::MemoryRegistry {
public:
    std::optional<std::pair<std::uint32_t, Bytes>> replacement;
    Key writable = 0;  // the reader's own handle may only query

    long RegQueryValueExA(Key key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                          std::uint32_t* dataSize) override {
        const long result = MemoryRegistry::RegQueryValueExA(key, name, type, data, dataSize);
        if (!data && replacement) {
            auto [newType, bytes] = *replacement;
            replacement.reset();
            Require(MemoryRegistry::RegSetValueExA(writable, name, newType, bytes.data(),
                                                   static_cast<std::uint32_t>(bytes.size())) ==
                        RegistryApi::Success,
                    "the value cannot be replaced");
        }
        return result;
    }
};

std::uint32_t TypeFrom(Input& input) {
    const std::uint8_t selector = input.Byte();
    if (selector != 0xFF)
        return selector % 12;  // the defined types and a few beyond
    std::uint32_t type = 0;
    for (int i = 0; i < 4; ++i)
        type |= static_cast<std::uint32_t>(input.Byte()) << (8 * i);
    return type;
}

// What a read of stored data must answer.
void CheckRead(const Variant& got, std::uint32_t type, const Bytes& stored) {
    switch (type) {
        case RegistryApi::Sz:
        case RegistryApi::MultiSz: {
            std::string text(stored.begin(), stored.end());
            if (!text.empty() && text.back() == '\0')
                text.pop_back();
            Require(got.GetKind() == Variant::Kind::Text && got.AsText() == text,
                    "a text value reads back as other text");
            return;
        }
        case RegistryApi::ExpandSz:
            Require(got.GetKind() == Variant::Kind::Text, "an expandable text reads as no text");
            return;
        case RegistryApi::Dword:
        case RegistryApi::DwordBigEndian:
            if (stored.size() == 4) {
                Require(got.GetKind() == Variant::Kind::Int32, "a number reads as no number");
                std::uint32_t number = 0;
                std::memcpy(&number, stored.data(), 4);
                if (type == RegistryApi::DwordBigEndian)
                    number = __builtin_bswap32(number);
                Require(static_cast<std::uint32_t>(got.AsInt32()) == number,
                        "a number reads back as another");
                return;
            }
            break;
        default:
            break;
    }
    Require(got.GetKind() == Variant::Kind::Bytes && got.AsBytes() == stored,
            "raw data reads back as other bytes");
}

// The switch's conversion: a number in range, or type mismatch, or overflow for a whole
// number out of range; never overflow for text that is no number.
void CheckConversion(const Variant& value) {
    try {
        static_cast<void>(value.ToInt16());
    } catch (const RaisedError& error) {
        Require(
            error.Number() == RaisedError::TypeMismatch || error.Number() == RaisedError::Overflow,
            "the conversion raised an error of another kind");
        if (error.Number() == RaisedError::Overflow && value.GetKind() == Variant::Kind::Text) {
            std::string text = value.AsText();
            const auto first = text.find_first_not_of(" \t\r\n\v\f");
            const auto last = text.find_last_not_of(" \t\r\n\v\f");
            Require(first != std::string::npos, "blank text overflowed");
            text = text.substr(first, last - first + 1);
            Require(text.find('\0') == std::string::npos, "text with a zero overflowed");
            char* end = nullptr;
            std::strtod(text.c_str(), &end);
            Require(text.rfind("&", 0) == 0 || end == text.c_str() + text.size(),
                    "text that is no number overflowed");
        }
    }
}

}  // namespace

int RegistryReadFuzz(const std::uint8_t* data, std::size_t size) {
    Input input(data, size);
    const std::uint8_t flags = input.Byte();
    const std::uint32_t type = TypeFrom(input);
    const std::string section = "Software\\Fuzz";
    const std::string valueName = (flags & 1) ? "" : "V";

    ChangingRegistry registry;
    RegistryApi::Key key = 0;
    Require(registry.RegCreateKeyExA(RegistryApi::CurrentUser, section, RegistryApi::KeyWriteAll,
                                     &key, nullptr) == RegistryApi::Success,
            "the fuzz key cannot be made");

    // Subkeys of any name the registry accepts must all be listed.
    std::set<std::string> subKeys;
    if (flags & 4) {
        const int count = input.Byte() % 4;
        for (int i = 0; i < count; ++i) {
            std::size_t length = input.Byte();
            if (input.Byte() & 1)
                length += 64;
            std::string name(length, static_cast<char>('a' + i));
            RegistryApi::Key sub = 0;
            if (registry.RegCreateKeyExA(key, name, RegistryApi::KeyWriteAll, &sub, nullptr) ==
                RegistryApi::Success) {
                registry.RegCloseKey(sub);
                if (name.find('\\') == std::string::npos && !name.empty())
                    subKeys.insert(name);
            }
        }
    }

    Bytes first = (flags & 2) ? input.Take(input.Byte()) : input.Rest();
    registry.RegSetValueExA(key, valueName, type, first.data(),
                            static_cast<std::uint32_t>(first.size()));
    std::uint32_t finalType = type;
    Bytes finalBytes = first;
    if (flags & 2) {
        finalType = TypeFrom(input);
        finalBytes = input.Rest();
        registry.replacement = std::make_pair(finalType, finalBytes);
        registry.writable = key;
    }

    cRegistry reader(registry, "Fuzz");
    reader.ClassKey(cRegistry::CurrentUser);
    reader.SectionKey(section);
    reader.ValueKey(valueName);
    Variant got = reader.Value();
    Require(reader.LastReadResult() == RegistryApi::Success, "a stored value was not read");
    Require(reader.ValueType() == static_cast<std::int32_t>(finalType),
            "ValueType is not the type read");
    Require(!registry.replacement, "the value was not replaced during the read");
    registry.RegCloseKey(key);
    CheckRead(got, finalType, finalBytes);
    CheckConversion(got);

    Variant again = reader.ValueEx(cRegistry::CurrentUser, section, valueName, 0, Variant("-"));
    CheckRead(again, finalType, finalBytes);

    std::vector<std::string> names;
    std::int32_t count = 0;
    Require(reader.EnumerateValues(names, count), "EnumerateValues failed");
    Require(count == 1 && names.size() == 1 && names[0] == valueName,
            "the value is not listed by its name");
    Require(reader.EnumerateSections(names, count), "EnumerateSections failed");
    Require(std::set<std::string>(names.begin(), names.end()) == subKeys &&
                count == static_cast<std::int32_t>(subKeys.size()),
            "a subkey the registry made is not listed");

    // The switch as the libraries read it, from the same bytes.
    Settings settings(registry, "Fuzz");
    settings.SettingsKeyPath = Settings::KeyPath;
    RegistryApi::Key options = 0;
    registry.RegCreateKeyExA(RegistryApi::ClassesRoot, std::string(Settings::KeyPath) + "Options",
                             RegistryApi::KeyWriteAll, &options, nullptr);
    registry.RegSetValueExA(options, Settings::SwitchValueName, finalType, finalBytes.data(),
                            static_cast<std::uint32_t>(finalBytes.size()));
    registry.RegCloseKey(options);
    try {
        static_cast<void>(settings.ReadSwitch());
    } catch (const RaisedError& error) {
        Require(
            error.Number() == RaisedError::TypeMismatch || error.Number() == RaisedError::Overflow,
            "the switch read raised an error of another kind");
    }
    Require(registry.OpenHandleCount() == 0, "a key handle was left open");
    return 0;
}

}  // namespace telvane
