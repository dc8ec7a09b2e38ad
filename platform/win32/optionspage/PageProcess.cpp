#include "platform/win32/optionspage/PageProcess.h"

#include "optionspage/PageLibrary.h"
#include "platform/win32/registry/Win32Registry.h"
#include "platform/win32/ui/Win32UiHost.h"

namespace telvane::win32 {

PageLibrary& PageProcess::Library() {
    static Win32Registry registry;
    static Win32UiHost host;
    static PageLibrary library(registry, host);
    return library;
}

}  // namespace telvane::win32
