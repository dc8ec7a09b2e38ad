#include "platform/memory/registry/MemoryRegistry.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/memory/registry/RegTextFormat.h"

namespace telvane::memory {
namespace {

constexpr std::array<const char*, 4> RootNames = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",
                                                  "HKEY_LOCAL_MACHINE", "HKEY_USERS"};
constexpr std::array<RegistryApi::Key, 4> RootKeys = {
    RegistryApi::ClassesRoot, RegistryApi::CurrentUser, RegistryApi::LocalMachine,
    RegistryApi::Users};

constexpr std::uint32_t KeySetValue = 0x2;
// Characters in one component of a key path.
constexpr std::size_t MaxKeyNameLength = 255;
constexpr std::uint32_t AllAccess = 0x3F;

std::optional<std::size_t> RootIndex(RegistryApi::Key key) {
    for (std::size_t i = 0; i < RootKeys.size(); ++i) {
        if (RootKeys[i] == key)
            return i;
    }
    return std::nullopt;
}

// The key rights a handle gets from the access asked for, generic rights mapped onto them.
std::uint32_t GrantedRights(std::uint32_t sam) {
    std::uint32_t rights = sam & AllAccess;
    if (sam & 0x80000000u)
        rights |= 0x19;  // GENERIC_READ: KEY_READ
    if (sam & 0x40000000u)
        rights |= 0x06;  // GENERIC_WRITE: KEY_WRITE
    if (sam & 0x20000000u)
        rights |= 0x19;  // GENERIC_EXECUTE: KEY_EXECUTE
    if (sam & 0x10000000u)
        rights |= AllAccess;  // GENERIC_ALL
    if (sam & 0x02000000u)
        rights |= AllAccess;  // MAXIMUM_ALLOWED
    return rights;
}

// A relative key path as its names. Empty names (doubled or trailing backslashes) are passed
// over; a path that starts with a backslash is refused.
std::optional<std::vector<std::string>> SplitPath(std::string_view path) {
    if (!path.empty() && path.front() == '\\')
        return std::nullopt;
    std::vector<std::string> names;
    std::size_t begin = 0;
    while (begin <= path.size()) {
        std::size_t end = path.find('\\', begin);
        if (end == std::string_view::npos)
            end = path.size();
        if (end > begin)
            names.emplace_back(path.substr(begin, end - begin));
        begin = end + 1;
    }
    return names;
}

std::string JoinPath(std::string base, std::string_view relative) {
    if (relative.empty())
        return base;
    return base + '\\' + std::string(relative);
}

std::string Normalise(std::string_view path) {
    std::string result;
    std::size_t begin = 0;
    while (begin <= path.size()) {
        std::size_t end = path.find('\\', begin);
        if (end == std::string_view::npos)
            end = path.size();
        if (end > begin) {
            if (!result.empty())
                result += '\\';
            result += path.substr(begin, end - begin);
        }
        begin = end + 1;
    }
    return result;
}

std::string Upper(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return result;
}

}  // namespace

MemoryRegistry::Machine MemoryRegistry::MakeMachine() {
    Machine machine;
    for (std::size_t i = 0; i < RootNames.size(); ++i) {
        machine.roots[i] = std::make_shared<MemoryKey>(RootNames[i]);
    }
    return machine;
}

MemoryRegistry::MemoryRegistry() : m_local(MakeMachine()) {}

MemoryRegistry::~MemoryRegistry() = default;

std::optional<MemoryRegistry::OpenKey> MemoryRegistry::Resolve(Key key) const {
    if (auto root = RootIndex(key))
        return OpenKey{m_local.roots[*root], AllAccess, RootNames[*root]};
    auto it = m_handles.find(key);
    if (it == m_handles.end())
        return std::nullopt;
    return it->second;
}

RegistryApi::Key MemoryRegistry::AddHandle(OpenKey openKey) {
    Key handle = m_nextHandle;
    m_nextHandle += 4;  // never reused, so a closed handle stays invalid
    m_handles.emplace(handle, std::move(openKey));
    return handle;
}

std::optional<long> MemoryRegistry::Injected(Function function, std::string_view path) {
    ++m_calls[function];
    if (m_countdown) {
        if (const long* code = m_countdown->Next())
            return *code;
    }
    std::string normalised = Normalise(path);
    for (const auto& failure : m_failures) {
        if (failure.function != function)
            continue;
        if (failure.keyPath.empty() || MemoryKey::NamesEqual(failure.keyPath, normalised)) {
            return failure.code;
        }
    }
    return std::nullopt;
}

long MemoryRegistry::RegOpenKeyExA(Key key, const std::string& subKey, std::uint32_t,
                                   std::uint32_t samDesired, Key* result) {
    auto open = Resolve(key);
    if (auto code = Injected(Function::OpenKey, open ? JoinPath(open->path, subKey) : "")) {
        return *code;
    }
    if (!result)
        return InvalidParameter;
    if (!open)
        return InvalidHandle;
    if (open->key->IsDeleted())
        return KeyDeleted;
    auto names = SplitPath(subKey);
    if (!names)
        return BadPathName;
    if (names->empty() && RootIndex(key)) {
        *result = key;
        return Success;
    }
    auto current = open->key;
    for (const auto& name : *names) {
        current = current->FindSubKey(name);
        if (!current)
            return FileNotFound;
    }
    *result =
        AddHandle({current, GrantedRights(samDesired), Normalise(JoinPath(open->path, subKey))});
    return Success;
}

long MemoryRegistry::RegCreateKeyExA(Key key, const std::string& subKey, std::uint32_t samDesired,
                                     Key* result, std::uint32_t* disposition) {
    auto open = Resolve(key);
    if (auto code = Injected(Function::CreateKey, open ? JoinPath(open->path, subKey) : "")) {
        return *code;
    }
    if (!result)
        return InvalidParameter;
    if (!open)
        return InvalidHandle;
    if (open->key->IsDeleted())
        return KeyDeleted;
    auto names = SplitPath(subKey);
    if (!names)
        return BadPathName;
    // The real registry refuses the whole call (RegistryApiTests pins it on both). Windows
    // documents 255 characters; Wine takes one more, which no listing of 256 could show.
    for (const auto& name : *names) {
        if (name.size() > MaxKeyNameLength)
            return InvalidParameter;
    }
    auto current = open->key;
    bool createdAny = false;
    for (const auto& name : *names) {
        bool created = false;
        current = current->AddSubKey(name, &created);
        createdAny = createdAny || created;
    }
    if (disposition)
        *disposition = createdAny ? 1 : 2;  // REG_CREATED_NEW_KEY, REG_OPENED_EXISTING_KEY
    *result =
        AddHandle({current, GrantedRights(samDesired), Normalise(JoinPath(open->path, subKey))});
    return Success;
}

long MemoryRegistry::RegQueryValueExA(Key key, const std::string& valueName, std::uint32_t* type,
                                      std::uint8_t* data, std::uint32_t* dataSize) {
    auto open = Resolve(key);
    if (auto code = Injected(Function::QueryValue, open ? open->path : ""))
        return *code;
    if (data && !dataSize)
        return InvalidParameter;
    if (!open)
        return InvalidHandle;
    if (open->key->IsDeleted())
        return KeyDeleted;
    if (!(open->access & KeyQueryValue))
        return AccessDenied;
    const MemoryKey::Value* value = open->key->FindValue(valueName);
    if (!value)
        return FileNotFound;
    if (type)
        *type = value->type;
    if (!dataSize)
        return Success;
    auto needed = static_cast<std::uint32_t>(value->data.size());
    if (data) {
        if (*dataSize < needed) {
            *dataSize = needed;
            return MoreData;
        }
        std::copy(value->data.begin(), value->data.end(), data);
    }
    *dataSize = needed;
    return Success;
}

long MemoryRegistry::RegSetValueExA(Key key, const std::string& valueName, std::uint32_t type,
                                    const std::uint8_t* data, std::uint32_t dataSize) {
    auto open = Resolve(key);
    if (auto code = Injected(Function::SetValue, open ? open->path : ""))
        return *code;
    if (!data && dataSize)
        return NoAccess;
    if (!open)
        return InvalidHandle;
    if (open->key->IsDeleted())
        return KeyDeleted;
    if (!(open->access & KeySetValue))
        return AccessDenied;
    std::vector<std::uint8_t> bytes;
    if (dataSize)
        bytes.assign(data, data + dataSize);
    open->key->SetValue(valueName, type, std::move(bytes));
    return Success;
}

long MemoryRegistry::RegEnumKeyA(Key key, std::uint32_t index, char* name, std::uint32_t nameSize) {
    auto open = Resolve(key);
    if (auto code = Injected(Function::EnumKey, open ? open->path : ""))
        return *code;
    if (!open)
        return InvalidHandle;
    if (open->key->IsDeleted())
        return KeyDeleted;
    if (!(open->access & KeyEnumerateSubKeys))
        return AccessDenied;
    const auto& subKeys = open->key->SubKeys();
    if (index >= subKeys.size())
        return NoMoreItems;
    if (!name)
        return InvalidParameter;
    const std::string& found = subKeys[index]->Name();
    if (found.size() + 1 > nameSize)
        return MoreData;
    std::memcpy(name, found.c_str(), found.size() + 1);
    return Success;
}

long MemoryRegistry::RegEnumValueA(Key key, std::uint32_t index, char* name,
                                   std::uint32_t* nameSize, std::uint32_t* type, std::uint8_t* data,
                                   std::uint32_t* dataSize) {
    auto open = Resolve(key);
    if (auto code = Injected(Function::EnumValue, open ? open->path : ""))
        return *code;
    if (!open)
        return InvalidHandle;
    if (open->key->IsDeleted())
        return KeyDeleted;
    if (!(open->access & KeyQueryValue))
        return AccessDenied;
    if (!name || !nameSize || (data && !dataSize))
        return InvalidParameter;
    const auto& values = open->key->Values();
    if (index >= values.size())
        return NoMoreItems;
    const MemoryKey::Value& value = values[index];
    if (value.name.size() + 1 > *nameSize)
        return MoreData;
    auto needed = static_cast<std::uint32_t>(value.data.size());
    if (data && *dataSize < needed) {
        *dataSize = needed;
        return MoreData;
    }
    std::memcpy(name, value.name.c_str(), value.name.size() + 1);
    *nameSize = static_cast<std::uint32_t>(value.name.size());
    if (type)
        *type = value.type;
    if (data)
        std::copy(value.data.begin(), value.data.end(), data);
    if (dataSize)
        *dataSize = needed;
    return Success;
}

long MemoryRegistry::RegQueryInfoKeyA(Key key, std::uint32_t* subKeys, std::uint32_t* maxSubKeyLen,
                                      std::uint32_t* values, std::uint32_t* maxValueNameLen,
                                      std::uint32_t* maxValueLen) {
    auto open = Resolve(key);
    if (auto code = Injected(Function::QueryInfoKey, open ? open->path : ""))
        return *code;
    if (!open)
        return InvalidHandle;
    if (open->key->IsDeleted())
        return KeyDeleted;
    std::size_t longestKey = 0, longestName = 0, longestData = 0;
    for (const auto& subKey : open->key->SubKeys()) {
        longestKey = std::max(longestKey, subKey->Name().size());
    }
    for (const auto& value : open->key->Values()) {
        longestName = std::max(longestName, value.name.size());
        longestData = std::max(longestData, value.data.size());
    }
    if (subKeys)
        *subKeys = static_cast<std::uint32_t>(open->key->SubKeys().size());
    if (maxSubKeyLen)
        *maxSubKeyLen = static_cast<std::uint32_t>(longestKey);
    if (values)
        *values = static_cast<std::uint32_t>(open->key->Values().size());
    if (maxValueNameLen)
        *maxValueNameLen = static_cast<std::uint32_t>(longestName);
    if (maxValueLen)
        *maxValueLen = static_cast<std::uint32_t>(longestData);
    return Success;
}

long MemoryRegistry::RegDeleteKeyA(Key key, const std::string& subKey) {
    auto open = Resolve(key);
    if (auto code = Injected(Function::DeleteKey, open ? JoinPath(open->path, subKey) : "")) {
        return *code;
    }
    if (!open)
        return InvalidHandle;
    if (open->key->IsDeleted())
        return KeyDeleted;
    auto names = SplitPath(subKey);
    if (!names)
        return BadPathName;
    // Deleting the key a handle stands for (an empty path) is refused here; the real function
    // refuses it for the roots, which is the only way the product could ask for it.
    if (names->empty())
        return AccessDenied;
    auto parent = open->key;
    for (std::size_t i = 0; i + 1 < names->size(); ++i) {
        parent = parent->FindSubKey((*names)[i]);
        if (!parent)
            return FileNotFound;
    }
    auto target = parent->FindSubKey(names->back());
    if (!target)
        return FileNotFound;
    if (!target->SubKeys().empty())
        return AccessDenied;
    parent->RemoveSubKey(names->back());
    return Success;
}

long MemoryRegistry::RegDeleteValueA(Key key, const std::string& valueName) {
    auto open = Resolve(key);
    if (auto code = Injected(Function::DeleteValue, open ? open->path : ""))
        return *code;
    if (!open)
        return InvalidHandle;
    if (open->key->IsDeleted())
        return KeyDeleted;
    if (!(open->access & KeySetValue))
        return AccessDenied;
    return open->key->RemoveValue(valueName) ? Success : FileNotFound;
}

long MemoryRegistry::RegConnectRegistryA(const std::string& machine, Key root, Key* result) {
    std::string_view name = machine;
    if (name.substr(0, 2) == "\\\\")
        name.remove_prefix(2);
    auto rootIndex = RootIndex(root);
    std::string path =
        std::string("\\\\") + std::string(name) + '\\' + (rootIndex ? RootNames[*rootIndex] : "");
    if (auto code = Injected(Function::ConnectRegistry, path))
        return *code;
    if (!result)
        return InvalidParameter;
    if (!rootIndex)
        return InvalidHandle;
    if (name.empty() || MemoryKey::NamesEqual(name, m_computerName)) {
        *result = root;
        return Success;
    }
    auto remote = m_remotes.find(Upper(name));
    if (remote == m_remotes.end())
        return BadNetPath;
    if (root != LocalMachine && root != Users)
        return InvalidHandle;
    *result = AddHandle({remote->second.roots[*rootIndex], AllAccess, path});
    return Success;
}

long MemoryRegistry::RegCloseKey(Key key) {
    auto open = Resolve(key);
    if (auto code = Injected(Function::CloseKey, open ? open->path : "")) {
        ++m_refusedCloses;
        return *code;
    }
    if (RootIndex(key))
        return Success;
    return m_handles.erase(key) ? Success : InvalidHandle;
}

std::uint32_t MemoryRegistry::ExpandEnvironmentStringsA(const std::string& source,
                                                        char* destination, std::uint32_t size) {
    if (Injected(Function::ExpandEnvironmentStrings, ""))
        return 0;
    // %NAME% of a known variable is replaced; anything else, an unknown %NAME% included, is
    // copied as it stands and the scan goes on after it.
    std::string expanded;
    std::size_t pos = 0;
    while (pos < source.size()) {
        std::size_t open = source.find('%', pos);
        if (open == std::string::npos) {
            expanded += source.substr(pos);
            break;
        }
        expanded += source.substr(pos, open - pos);
        std::size_t close = source.find('%', open + 1);
        if (close == std::string::npos) {
            expanded += source.substr(open);
            break;
        }
        auto variable = m_environment.find(Upper(source.substr(open + 1, close - open - 1)));
        if (close > open + 1 && variable != m_environment.end()) {
            expanded += variable->second.second;
        } else {
            expanded += source.substr(open, close - open + 1);
        }
        pos = close + 1;
    }
    auto needed = static_cast<std::uint32_t>(expanded.size() + 1);
    if (destination && size >= needed)
        std::memcpy(destination, expanded.c_str(), needed);
    return needed;
}

void MemoryRegistry::FailCalls(Function function, long code, std::string keyPath) {
    m_failures.push_back({function, code, Normalise(keyPath)});
}

void MemoryRegistry::FailCallFromNow(std::size_t k, long code) {
    m_countdown = CallCountdown<long>(k, code, false);
}

void MemoryRegistry::FailCallsFromNow(std::size_t k, long code) {
    m_countdown = CallCountdown<long>(k, code, true);
}

void MemoryRegistry::ClearFailures() {
    m_failures.clear();
    m_countdown.reset();
}

std::size_t MemoryRegistry::CallCount(Function function) const {
    auto it = m_calls.find(function);
    return it == m_calls.end() ? 0 : it->second;
}

void MemoryRegistry::SetEnvironment(const std::string& name, std::string value) {
    m_environment[Upper(name)] = {name, std::move(value)};
}

void MemoryRegistry::RemoveEnvironment(const std::string& name) {
    m_environment.erase(Upper(name));
}

void MemoryRegistry::AddRemoteMachine(const std::string& name) {
    std::string_view bare = name;
    if (bare.substr(0, 2) == "\\\\")
        bare.remove_prefix(2);
    m_remotes.try_emplace(Upper(bare), MakeMachine());
}

std::string MemoryRegistry::ExportRegText() const {
    std::vector<std::shared_ptr<const MemoryKey>> roots(m_local.roots.begin(), m_local.roots.end());
    return RegTextFormat::Export(roots);
}

void MemoryRegistry::ImportRegText(const std::string& text) {
    RegTextFormat::Import(text, [this](std::string_view rootName) -> std::shared_ptr<MemoryKey> {
        static constexpr std::array<const char*, 4> ShortNames = {"HKCR", "HKCU", "HKLM", "HKU"};
        for (std::size_t i = 0; i < RootNames.size(); ++i) {
            if (MemoryKey::NamesEqual(rootName, RootNames[i]) ||
                MemoryKey::NamesEqual(rootName, ShortNames[i])) {
                return m_local.roots[i];
            }
        }
        return nullptr;
    });
}

void MemoryRegistry::SaveToFile(const std::filesystem::path& path) const {
    std::ofstream file(path, std::ios::binary);
    file << ExportRegText();
    if (!file)
        throw std::runtime_error("cannot write " + path.string());
}

void MemoryRegistry::LoadFromFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw std::runtime_error("cannot read " + path.string());
    std::ostringstream text;
    text << file.rdbuf();
    ImportRegText(text.str());
}

}  // namespace telvane::memory
