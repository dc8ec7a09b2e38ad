#include "platform/win32/optionspage/PageProcess.h"

#include "optionspage/PageLibrary.h"
#include "platform/win32/com/ModuleVersion.h"
#include "platform/win32/com/ServerModule.h"
#include "platform/win32/registry/Win32Registry.h"
#include "platform/win32/ui/WindowlessHost.h"

namespace telvane::win32 {
namespace {

PageLibrary::Version OwnVersion() {
    const auto own = com::ModuleVersion::Of(com::ServerModule::Handle());
    if (!own)
        return {0, 0, 0};
    return {own->major, own->minor, own->revision};
}

}  // namespace

PageLibrary& PageProcess::Library() {
    static Win32Registry registry;
    static WindowlessHost host;
    static PageLibrary library(registry, host, OwnVersion());
    return library;
}

}  // namespace telvane::win32
