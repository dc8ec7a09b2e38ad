// Telvane.dll's entry points: the exports of an in-process server (ordinals in Telvane.def)
// and DllMain.
#include <windows.h>

#include <array>

#include "Telvane.h"
#include "platform/win32/addin/AddInRegistration.h"
#include "platform/win32/addin/TLConnectObject.h"
#include "platform/win32/addin/TelvaneAddInObject.h"
#include "platform/win32/com/ClassFactory.h"
#include "platform/win32/com/ComBoundary.h"
#include "platform/win32/com/ServerModule.h"
#include "platform/win32/com/ServerRegistration.h"

namespace {

using namespace telvane::win32;

const std::array<com::ClassEntry, 2> Classes = {{
    {&__uuidof(::TLConnect), &com::CreateComObject<TLConnectObject>},
    {&__uuidof(::TelvaneAddIn), &com::CreateComObject<TelvaneAddInObject>},
}};

// Declared by this library, registered by the add-in designer's.
const std::array<IID, 1> ForeignInterfaces = {__uuidof(_IDTExtensibility2)};

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        com::ServerModule::SetHandle(module);
    return TRUE;
}

STDAPI DllCanUnloadNow() {
    return com::ServerModule::CanUnloadNow();
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* object) {
    return com::ClassFactory::GetClassObject(Classes, clsid, iid, object);
}

STDAPI DllRegisterServer() {
    return com::ComBoundary::Call([] {
        return com::ServerRegistration::Register(AddInRegistration::Table, ForeignInterfaces);
    });
}

STDAPI DllUnregisterServer() {
    return com::ComBoundary::Call([] {
        return com::ServerRegistration::Unregister(AddInRegistration::Table, ForeignInterfaces);
    });
}

STDAPI DllInstall(BOOL install, PCWSTR commandLine) {
    return com::ComBoundary::Call([&] {
        return com::ServerRegistration::Install(install != FALSE, commandLine,
                                                AddInRegistration::Table, ForeignInterfaces);
    });
}
