#include "platform/win32/addin/AddInProcess.h"

#include "addin/AddInLibrary.h"
#include "platform/win32/registry/Win32Registry.h"

namespace telvane::win32 {

AddInLibrary& AddInProcess::Library() {
    static Win32Registry registry;
    static AddInLibrary library(registry);
    return library;
}

}  // namespace telvane::win32
