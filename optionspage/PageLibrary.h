#pragma once

#include <memory>
#include <string>

#include "common/outlook/PropertyPageSite.h"
#include "forms/FormInstance.h"
#include "forms/UiHost.h"
#include "optionspage/frmDisplay.h"
#include "optionspage/frmFaxManager.h"
#include "optionspage/frmInstructions.h"
#include "optionspage/modFaxManager.h"
#include "registry/RegistryApi.h"
#include "registry/Settings.h"

namespace telvane {

// The options-page library's module-level state: the page site, the settings store, the fax
// manager's module and the default instances of its windows. The COM entry point keeps one for
// the process; a test makes a fresh one.
class PageLibrary {
public:
    static constexpr const char* FileName = "TelvanePage";
    static constexpr const char* Title = "Telvane";

    struct Version {
        int major = 1;
        int minor = 1;
        int revision = 6;
    };

    // The library's own version is 1.1.6; tests may give another.
    PageLibrary(RegistryApi& registry, forms::UiHost& host);
    PageLibrary(RegistryApi& registry, forms::UiHost& host, Version version);
    PageLibrary(const PageLibrary&) = delete;
    PageLibrary& operator=(const PageLibrary&) = delete;
    ~PageLibrary();

    telvane::Settings& Settings() { return m_settings; }
    forms::UiHost& Host() { return m_host; }
    const Version& LibraryVersion() const { return m_version; }

    std::shared_ptr<outlook::PropertyPageSite> m_objSite;
    telvane::modFaxManager modFaxManager;
    forms::FormInstance<telvane::frmFaxManager> frmFaxManager;
    forms::FormInstance<telvane::frmDisplay> frmDisplay;
    forms::FormInstance<telvane::frmInstructions> frmInstructions;

private:
    forms::UiHost& m_host;
    telvane::Settings m_settings;
    Version m_version;
};

}  // namespace telvane
