#include "optionspage/PageLibrary.h"

namespace telvane {

PageLibrary::PageLibrary(RegistryApi& registry, forms::UiHost& host)
    : PageLibrary(registry, host, Version{}) {}

PageLibrary::PageLibrary(RegistryApi& registry, forms::UiHost& host, Version version)
    : modFaxManager(*this),
      frmFaxManager([this] { return std::make_shared<telvane::frmFaxManager>(*this); }),
      frmDisplay(host),
      frmInstructions(host),
      m_host(host),
      m_settings(registry, FileName),
      m_version(version) {}

PageLibrary::~PageLibrary() {
    // Windows go before the folder records they point into.
    frmDisplay.Unload();
    frmInstructions.Unload();
    frmFaxManager.Unload();
}

}  // namespace telvane
