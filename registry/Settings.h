#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "registry/RegistryApi.h"
#include "registry/cRegistry.h"

namespace telvane {

// One library's settings store: the switch "Suppress fax numbers when Contacts created or
// updated", kept as the value "Default" of SettingsKeyPath + "Options" under
// HKEY_CLASSES_ROOT. Each library holds its own store; the registry value is all they share.
class Settings {
public:
    // What both libraries assign to SettingsKeyPath. Appending "Options" gives the key path.
    static constexpr const char* KeyPath = "Software\\Merrowind\\Telvane\\";
    static constexpr std::int32_t Hive = cRegistry::ClassesRoot;
    static constexpr const char* OptionsKey = "Options";
    static constexpr const char* SwitchValueName = "Default";

    // libraryName: the file name without extension, for the errors the registry object raises.
    Settings(RegistryApi& api, std::string libraryName);
    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;

    std::string SettingsKeyPath;  // "" until the library assigns it

    // Created on first use and kept for the lifetime of the store.
    cRegistry& SettingsRegistry();
    bool HasSettingsRegistry() const { return m_settingsRegistry != nullptr; }

    // The stored switch as a 16-bit number; 0 when nothing is stored. Raises when the stored
    // value is no number in the 16-bit range (RaisedError 13 or 6), and ErrKeyAccess when the
    // registry refused the read for another reason than a missing key or value.
    std::int16_t ReadSwitch();
    // Stores the switch as a REG_DWORD, creating the key as needed. Raises the registry
    // object's set-value errors.
    void WriteSwitch(std::int16_t state);

private:
    void SelectSwitch();

    RegistryApi& m_api;
    std::string m_libraryName;
    std::unique_ptr<cRegistry> m_settingsRegistry;
};

}  // namespace telvane
