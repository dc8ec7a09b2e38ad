#pragma once

#include <string>

#include "registry/RegistryApi.h"
#include "registry/Settings.h"

namespace telvane {

// The add-in library's module-level state: its settings store (SettingsKeyPath and
// SettingsRegistry). The COM entry point keeps one for the process; a test makes a fresh one.
class AddInLibrary {
public:
    static constexpr const char* FileName = "Telvane";

    explicit AddInLibrary(RegistryApi& registry) : m_settings(registry, FileName) {}
    AddInLibrary(const AddInLibrary&) = delete;
    AddInLibrary& operator=(const AddInLibrary&) = delete;

    telvane::Settings& Settings() { return m_settings; }

private:
    telvane::Settings m_settings;
};

}  // namespace telvane
