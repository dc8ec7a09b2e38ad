#include "platform/memory/registry/RegTextFormat.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <optional>
#include <stdexcept>

#include "registry/RegistryApi.h"

namespace telvane::memory {
namespace {

bool IsPlainText(const std::vector<std::uint8_t>& data) {
    if (data.empty() || data.back() != 0)
        return false;
    for (std::size_t i = 0; i + 1 < data.size(); ++i) {
        if (data[i] == 0 || data[i] == '\r' || data[i] == '\n')
            return false;
    }
    return true;
}

std::string Quote(std::string_view text) {
    std::string result = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"')
            result += '\\';
        result += c;
    }
    return result + '"';
}

std::string FormatData(const MemoryKey::Value& value) {
    if (value.type == RegistryApi::Sz && IsPlainText(value.data)) {
        return Quote(std::string(value.data.begin(), value.data.end() - 1));
    }
    char buffer[16];
    if (value.type == RegistryApi::Dword && value.data.size() == 4) {
        std::uint32_t number = value.data[0] | value.data[1] << 8 | value.data[2] << 16 |
                               static_cast<std::uint32_t>(value.data[3]) << 24;
        std::snprintf(buffer, sizeof buffer, "%08x", number);
        return std::string("dword:") + buffer;
    }
    std::string result = "hex";
    if (value.type != RegistryApi::Binary) {
        std::snprintf(buffer, sizeof buffer, "(%x)", value.type);
        result += buffer;
    }
    result += ':';
    for (std::size_t i = 0; i < value.data.size(); ++i) {
        std::snprintf(buffer, sizeof buffer, i ? ",%02x" : "%02x", value.data[i]);
        result += buffer;
    }
    return result;
}

void ExportKey(const MemoryKey& key, const std::string& path, std::string& out) {
    if (!key.Values().empty() || key.SubKeys().empty()) {
        out += "\n[" + path + "]\n";
        for (const auto& value : key.Values()) {
            out += (value.name.empty() ? std::string("@") : Quote(value.name)) + '=' +
                   FormatData(value) + '\n';
        }
    }
    for (const auto& subKey : key.SubKeys()) {
        ExportKey(*subKey, path + '\\' + subKey->Name(), out);
    }
}

[[noreturn]] void Fail(std::size_t lineNumber, std::string_view why) {
    throw std::runtime_error("line " + std::to_string(lineNumber) + ": " + std::string(why));
}

// Reads a quoted text from the start of rest; returns it and leaves rest after the quote.
std::optional<std::string> ReadQuoted(std::string_view& rest) {
    if (rest.empty() || rest.front() != '"')
        return std::nullopt;
    std::string text;
    for (std::size_t i = 1; i < rest.size(); ++i) {
        char c = rest[i];
        if (c == '\\' && i + 1 < rest.size()) {
            text += rest[++i];
        } else if (c == '"') {
            rest.remove_prefix(i + 1);
            return text;
        } else {
            text += c;
        }
    }
    return std::nullopt;
}

std::optional<std::vector<std::uint8_t>> ReadHex(std::string_view text) {
    std::vector<std::uint8_t> bytes;
    std::size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t'))
            ++pos;
        if (pos == text.size())
            break;
        unsigned value = 0;
        auto [ptr, ec] = std::from_chars(text.data() + pos, text.data() + text.size(), value, 16);
        if (ec != std::errc() || value > 0xFF)
            return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(value));
        pos = static_cast<std::size_t>(ptr - text.data());
        while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t'))
            ++pos;
        if (pos < text.size() && text[pos++] != ',')
            return std::nullopt;
    }
    return bytes;
}

// Joins data lines continued with a trailing backslash; numbers gets each joined line's first
// physical line, for messages.
std::vector<std::string> LogicalLines(std::string_view text, std::vector<std::size_t>& numbers) {
    std::vector<std::string> lines;
    bool continued = false;
    std::size_t number = 0;
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (continued) {
            line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
        } else {
            lines.emplace_back();
            numbers.push_back(number);
        }
        continued = !line.empty() && line.back() == '\\' && line.front() != '[';
        if (continued)
            line.remove_suffix(1);
        lines.back() += line;
    }
    return lines;
}

}  // namespace

std::string RegTextFormat::Export(const std::vector<std::shared_ptr<const MemoryKey>>& roots) {
    std::string out = "REGEDIT4\n";
    for (const auto& root : roots) {
        if (!root->Values().empty())
            ExportKey(*root, root->Name(), out);
        for (const auto& subKey : root->SubKeys()) {
            ExportKey(*subKey, root->Name() + '\\' + subKey->Name(), out);
        }
    }
    return out;
}

void RegTextFormat::Import(
    std::string_view text,
    const std::function<std::shared_ptr<MemoryKey>(std::string_view)>& rootByName) {
    std::vector<std::size_t> numbers;
    auto lines = LogicalLines(text, numbers);
    std::shared_ptr<MemoryKey> current;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view line = lines[i];
        std::size_t lineNumber = numbers[i];
        if (line.empty() || line.front() == ';')
            continue;
        if (i == 0 && (line == "REGEDIT4" || line.starts_with("Windows Registry Editor")))
            continue;
        if (line.front() == '[') {
            if (line.back() != ']')
                Fail(lineNumber, "section without ]");
            line = line.substr(1, line.size() - 2);
            bool remove = !line.empty() && line.front() == '-';
            if (remove)
                line.remove_prefix(1);
            std::size_t split = line.find('\\');
            auto root = rootByName(line.substr(0, split));
            if (!root)
                Fail(lineNumber, "unknown root");
            std::vector<std::string> names;
            while (split != std::string_view::npos) {
                std::size_t next = line.find('\\', split + 1);
                auto name =
                    line.substr(split + 1, next == std::string_view::npos ? std::string_view::npos
                                                                          : next - split - 1);
                if (!name.empty())
                    names.emplace_back(name);
                split = next;
            }
            current = root;
            if (remove) {
                for (std::size_t n = 0; current && n + 1 < names.size(); ++n) {
                    current = current->FindSubKey(names[n]);
                }
                if (current && !names.empty())
                    current->RemoveSubKey(names.back());
                current = nullptr;
                continue;
            }
            for (const auto& name : names)
                current = current->AddSubKey(name);
            continue;
        }
        if (!current)
            Fail(lineNumber, "value outside a section");
        std::string name;
        if (line.front() == '@') {
            line.remove_prefix(1);
        } else {
            auto quoted = ReadQuoted(line);
            if (!quoted)
                Fail(lineNumber, "value name not quoted");
            name = *quoted;
        }
        if (line.empty() || line.front() != '=')
            Fail(lineNumber, "= expected");
        line.remove_prefix(1);
        if (line == "-") {
            current->RemoveValue(name);
        } else if (line.starts_with("\"")) {
            auto quoted = ReadQuoted(line);
            if (!quoted || !line.empty())
                Fail(lineNumber, "bad text");
            std::vector<std::uint8_t> data(quoted->begin(), quoted->end());
            data.push_back(0);
            current->SetValue(name, RegistryApi::Sz, std::move(data));
        } else if (line.starts_with("dword:")) {
            std::uint32_t number = 0;
            auto digits = line.substr(6);
            auto [ptr, ec] =
                std::from_chars(digits.data(), digits.data() + digits.size(), number, 16);
            if (ec != std::errc() || ptr != digits.data() + digits.size() || digits.size() > 8) {
                Fail(lineNumber, "bad dword");
            }
            current->SetValue(
                name, RegistryApi::Dword,
                {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
                 static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)});
        } else if (line.starts_with("hex")) {
            line.remove_prefix(3);
            std::uint32_t type = RegistryApi::Binary;
            if (line.starts_with("(")) {
                std::size_t close = line.find(')');
                if (close == std::string_view::npos)
                    Fail(lineNumber, "bad hex type");
                auto [ptr, ec] = std::from_chars(line.data() + 1, line.data() + close, type, 16);
                if (ec != std::errc() || ptr != line.data() + close)
                    Fail(lineNumber, "bad hex type");
                line.remove_prefix(close + 1);
            }
            if (!line.starts_with(":"))
                Fail(lineNumber, ": expected");
            auto bytes = ReadHex(line.substr(1));
            if (!bytes)
                Fail(lineNumber, "bad hex data");
            current->SetValue(name, type, std::move(*bytes));
        } else {
            Fail(lineNumber, "unknown data");
        }
    }
}

}  // namespace telvane::memory
