#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/memory/CallCountdown.h"
#include "platform/memory/registry/MemoryKey.h"
#include "registry/RegistryApi.h"

namespace telvane::memory {

// The registry in memory, answering with the result codes of the real functions: 2 for a
// missing key or value, 234 with the size needed for a buffer that is too small, 259 past the
// last item, 5 for deleting a key that has subkeys or using a handle without the right access,
// 6 for a bad handle, 1018 for a handle whose key was deleted, 87 for creating a key whose name
// has more than 255 characters. Data is kept as the raw bytes
// written, with the type given; no text conversion happens here.
//
// Where the real functions differ between Windows and Wine, this one follows what the product is
// tested on: subkeys and values enumerate sorted by name, doubled backslashes in a path are
// read as one, and opening a root with an empty path gives back the root itself. Unlike the real
// RegSetValueExA it never reads past the size it is given to count a forgotten terminator.
//
// HKEY_CLASSES_ROOT is a tree of its own here; on Windows it is a view of the machine-wide and
// per-user classes.
class MemoryRegistry : public RegistryApi {
public:
    enum class Function {
        OpenKey,
        CreateKey,
        QueryValue,
        SetValue,
        EnumKey,
        EnumValue,
        QueryInfoKey,
        DeleteKey,
        DeleteValue,
        ConnectRegistry,
        CloseKey,
        ExpandEnvironmentStrings,
    };
    static constexpr long KeyDeleted = 1018;
    static constexpr long BadPathName = 161;
    static constexpr long NoAccess = 998;

    MemoryRegistry();
    MemoryRegistry(const MemoryRegistry&) = delete;
    MemoryRegistry& operator=(const MemoryRegistry&) = delete;
    ~MemoryRegistry() override;

    long RegOpenKeyExA(Key key, const std::string& subKey, std::uint32_t options,
                       std::uint32_t samDesired, Key* result) override;
    long RegCreateKeyExA(Key key, const std::string& subKey, std::uint32_t samDesired, Key* result,
                         std::uint32_t* disposition) override;
    long RegQueryValueExA(Key key, const std::string& valueName, std::uint32_t* type,
                          std::uint8_t* data, std::uint32_t* dataSize) override;
    long RegSetValueExA(Key key, const std::string& valueName, std::uint32_t type,
                        const std::uint8_t* data, std::uint32_t dataSize) override;
    long RegEnumKeyA(Key key, std::uint32_t index, char* name, std::uint32_t nameSize) override;
    long RegEnumValueA(Key key, std::uint32_t index, char* name, std::uint32_t* nameSize,
                       std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) override;
    long RegQueryInfoKeyA(Key key, std::uint32_t* subKeys, std::uint32_t* maxSubKeyLen,
                          std::uint32_t* values, std::uint32_t* maxValueNameLen,
                          std::uint32_t* maxValueLen) override;
    long RegDeleteKeyA(Key key, const std::string& subKey) override;
    long RegDeleteValueA(Key key, const std::string& valueName) override;
    long RegConnectRegistryA(const std::string& machine, Key root, Key* result) override;
    long RegCloseKey(Key key) override;
    std::uint32_t ExpandEnvironmentStringsA(const std::string& source, char* destination,
                                            std::uint32_t size) override;

    // Failures on demand: from now on every call of the function fails with the code and has no
    // effect; with a key path such as "HKEY_CURRENT_USER\Software\X", only the calls that address
    // that key (the key opened, created or deleted, or the key a handle stands for). A failing
    // ExpandEnvironmentStringsA returns 0.
    void FailCalls(Function function, long code, std::string keyPath = {});
    // Fails the k-th call from now (k >= 1), whatever the function, with the code; the second
    // form fails that call and every later one. Both last until ClearFailures.
    void FailCallFromNow(std::size_t k, long code);
    void FailCallsFromNow(std::size_t k, long code);
    // Calls counted since that plan was made, and the ordinal of the first it failed (0: none).
    std::size_t CountdownCalls() const {
        return m_countdown ? static_cast<std::size_t>(m_countdown->Calls()) : 0;
    }
    std::size_t CountdownFiredAt() const {
        return m_countdown ? static_cast<std::size_t>(m_countdown->FiredAt()) : 0;
    }
    void ClearFailures();

    // Handles opened and not yet closed. Predefined roots, which need no closing, never count.
    std::size_t OpenHandleCount() const { return m_handles.size(); }
    // Closes that an injected failure refused: their handles stay open, as their callers were
    // told, and are no leak of theirs.
    std::size_t RefusedCloses() const { return m_refusedCloses; }
    std::size_t CallCount(Function function) const;

    // What ExpandEnvironmentStringsA sees; names match without regard to case.
    void SetEnvironment(const std::string& name, std::string value);
    void RemoveEnvironment(const std::string& name);

    // RegConnectRegistryA reaches the local registry by an empty name or this one, and a remote
    // registry only when one of that name was added; any other name fails with BadNetPath.
    // A remote registry offers HKEY_LOCAL_MACHINE and HKEY_USERS, as Windows does.
    void SetLocalMachineName(std::string name) { m_computerName = std::move(name); }
    void AddRemoteMachine(const std::string& name);

    // The local registry as .reg text (REGEDIT4, texts in the bytes stored). Import merges, as
    // the registry editor does, and throws std::runtime_error naming the line it cannot read.
    std::string ExportRegText() const;
    void ImportRegText(const std::string& text);
    void SaveToFile(const std::filesystem::path& path) const;
    void LoadFromFile(const std::filesystem::path& path);

private:
    struct Machine {
        std::array<std::shared_ptr<MemoryKey>, 4> roots;  // HKCR, HKCU, HKLM, HKU
    };
    struct OpenKey {
        std::shared_ptr<MemoryKey> key;
        std::uint32_t access = 0;
        std::string path;  // for failures on demand: "HKEY_CURRENT_USER\Software\X"
    };

    static Machine MakeMachine();
    std::optional<OpenKey> Resolve(Key key) const;
    Key AddHandle(OpenKey openKey);
    // Counts the call and returns the failure asked for, if any, for the key at path.
    std::optional<long> Injected(Function function, std::string_view path);

    Machine m_local;
    std::map<std::string, Machine> m_remotes;  // by upper-case name
    std::string m_computerName = "TELVANE-PC";
    std::map<Key, OpenKey> m_handles;
    std::size_t m_refusedCloses = 0;
    Key m_nextHandle = 0x1000;
    std::map<std::string, std::pair<std::string, std::string>>
        m_environment;  // upper -> name, value

    struct Failure {
        Function function;
        long code;
        std::string keyPath;
    };
    std::vector<Failure> m_failures;
    std::optional<CallCountdown<long>> m_countdown;
    std::map<Function, std::size_t> m_calls;
};

}  // namespace telvane::memory
