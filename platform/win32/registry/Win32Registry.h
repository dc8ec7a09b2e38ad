#pragma once

#include "registry/RegistryApi.h"

namespace telvane::win32 {

// The registry boundary over advapi32 and kernel32's ANSI functions, with the platform's result
// codes. Names and texts are UTF-8 on the product's side and the ANSI code page on the
// platform's: names, text values (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) and environment strings
// are converted here, and sizes are those of the UTF-8 text the product receives.
class Win32Registry final : public RegistryApi {
public:
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
};

}  // namespace telvane::win32
