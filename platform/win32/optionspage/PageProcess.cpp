#include "platform/win32/optionspage/PageProcess.h"

#include "optionspage/PageLibrary.h"
#include "platform/win32/com/ModuleVersion.h"
#include "platform/win32/com/ServerModule.h"
#include "platform/win32/registry/Win32Registry.h"
#include "platform/win32/ui/Win32UiHost.h"

namespace telvane::win32 {
namespace {

PageLibrary::Version OwnVersion() {
    const auto own = com::ModuleVersion::Of(com::ServerModule::Handle());
    if (!own)
        return {0, 0, 0};
    return {own->major, own->minor, own->revision};
}

}  // namespace

Win32UiHost& PageProcess::Host() {
    static Win32UiHost host;
    return host;
}

PageLibrary& PageProcess::Library() {
    static Win32Registry registry;
    static PageLibrary library(registry, Host(), OwnVersion());
    return library;
}

}  // namespace telvane::win32
