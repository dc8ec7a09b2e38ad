#include "registry/Settings.h"

#include <utility>

#include "common/outlook/RaisedError.h"

namespace telvane {

Settings::Settings(RegistryApi& api, std::string libraryName)
    : m_api(api), m_libraryName(std::move(libraryName)) {}

cRegistry& Settings::SettingsRegistry() {
    if (!m_settingsRegistry)
        m_settingsRegistry = std::make_unique<cRegistry>(m_api, m_libraryName);
    return *m_settingsRegistry;
}

void Settings::SelectSwitch() {
    cRegistry& registry = SettingsRegistry();
    registry.ClassKey(Hive);
    registry.SectionKey(SettingsKeyPath + OptionsKey);
    registry.ValueKey(SwitchValueName);
}

std::int16_t Settings::ReadSwitch() {
    SelectSwitch();
    cRegistry& registry = SettingsRegistry();
    Variant stored = registry.Value();
    // Only a missing key or value means off. A registry that refused the read says nothing
    // about the switch, and reading that as off would strip every saved contact's markers.
    const long result = registry.LastReadResult();
    if (result != RegistryApi::Success && result != RegistryApi::FileNotFound) {
        throw RaisedError(cRegistry::ErrKeyAccess, m_libraryName,
                          "Failed to read registry value Key: '" + std::to_string(Hive) +
                              "',Section: '" + registry.SectionKey() + "',Key: '" +
                              registry.ValueKey() + "' (registry error " + std::to_string(result) +
                              ")");
    }
    try {
        return stored.ToInt16();
    } catch (const RaisedError& error) {
        // A conversion failure is the library's own runtime error, as the caller sees it.
        throw RaisedError(error.Number(), m_libraryName, error.Description());
    }
}

void Settings::WriteSwitch(std::int16_t state) {
    SelectSwitch();
    cRegistry& registry = SettingsRegistry();
    registry.ValueType(cRegistry::RegDword);
    try {
        registry.Value(Variant(state));
    } catch (const RaisedError& error) {
        // The registry's own code is what tells a user or an administrator why (5: access
        // denied), as a failed read says it too.
        throw RaisedError(error.Number(), error.Source(),
                          error.Description() + " (registry error " +
                              std::to_string(registry.LastWriteResult()) + ")");
    }
}

}  // namespace telvane
