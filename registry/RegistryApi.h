#pragma once

#include <cstdint>
#include <string>

namespace telvane {

// The registry as the product reaches it: the twelve ANSI functions and environment expansion,
// with the platform's result codes. Texts are in the ANSI code page; keys are opaque handles.
// Implemented over advapi32/kernel32 on Windows and in memory elsewhere.
class RegistryApi {
public:
    using Key = std::intptr_t;  // HKEY

    // Predefined roots, as the platform sign-extends them into a handle.
    static constexpr Key ClassesRoot = static_cast<Key>(static_cast<std::int32_t>(0x80000000));
    static constexpr Key CurrentUser = static_cast<Key>(static_cast<std::int32_t>(0x80000001));
    static constexpr Key LocalMachine = static_cast<Key>(static_cast<std::int32_t>(0x80000002));
    static constexpr Key Users = static_cast<Key>(static_cast<std::int32_t>(0x80000003));

    // The root named by a 32-bit class key value such as 0x80000000.
    static constexpr Key FromClassKey(std::int32_t classKey) { return static_cast<Key>(classKey); }

    // Result codes the product tests for.
    static constexpr long Success = 0;
    static constexpr long FileNotFound = 2;
    static constexpr long AccessDenied = 5;
    static constexpr long InvalidHandle = 6;
    static constexpr long InvalidParameter = 87;
    static constexpr long MoreData = 234;
    static constexpr long NoMoreItems = 259;
    static constexpr long BadNetPath = 53;

    // Value types.
    static constexpr std::uint32_t None = 0;
    static constexpr std::uint32_t Sz = 1;
    static constexpr std::uint32_t ExpandSz = 2;
    static constexpr std::uint32_t Binary = 3;
    static constexpr std::uint32_t Dword = 4;
    static constexpr std::uint32_t DwordBigEndian = 5;
    static constexpr std::uint32_t Link = 6;
    static constexpr std::uint32_t MultiSz = 7;

    // Access rights.
    static constexpr std::uint32_t KeyQueryValue = 0x1;
    static constexpr std::uint32_t KeyEnumerateSubKeys = 0x8;
    static constexpr std::uint32_t KeyWriteAll = 0x3F;

    virtual ~RegistryApi() = default;

    virtual long RegOpenKeyExA(Key key, const std::string& subKey, std::uint32_t options,
                               std::uint32_t samDesired, Key* result) = 0;
    // Creates every missing key on the path (non-volatile, default security).
    virtual long RegCreateKeyExA(Key key, const std::string& subKey, std::uint32_t samDesired,
                                 Key* result, std::uint32_t* disposition) = 0;
    // data may be null to learn the type and size; with a buffer too small the size needed is
    // stored and MoreData returned.
    virtual long RegQueryValueExA(Key key, const std::string& valueName, std::uint32_t* type,
                                  std::uint8_t* data, std::uint32_t* dataSize) = 0;
    virtual long RegSetValueExA(Key key, const std::string& valueName, std::uint32_t type,
                                const std::uint8_t* data, std::uint32_t dataSize) = 0;
    // name receives at most nameSize characters including the terminating zero.
    virtual long RegEnumKeyA(Key key, std::uint32_t index, char* name, std::uint32_t nameSize) = 0;
    // nameSize: in, the buffer's characters; out, the name's length without the zero.
    virtual long RegEnumValueA(Key key, std::uint32_t index, char* name, std::uint32_t* nameSize,
                               std::uint32_t* type, std::uint8_t* data,
                               std::uint32_t* dataSize) = 0;
    // Any out pointer may be null.
    virtual long RegQueryInfoKeyA(Key key, std::uint32_t* subKeys, std::uint32_t* maxSubKeyLen,
                                  std::uint32_t* values, std::uint32_t* maxValueNameLen,
                                  std::uint32_t* maxValueLen) = 0;
    // Refused (AccessDenied) while the key has subkeys.
    virtual long RegDeleteKeyA(Key key, const std::string& subKey) = 0;
    virtual long RegDeleteValueA(Key key, const std::string& valueName) = 0;
    virtual long RegConnectRegistryA(const std::string& machine, Key root, Key* result) = 0;
    virtual long RegCloseKey(Key key) = 0;
    // Returns the characters needed including the zero; 0 on failure.
    virtual std::uint32_t ExpandEnvironmentStringsA(const std::string& source, char* destination,
                                                    std::uint32_t size) = 0;
};

}  // namespace telvane
