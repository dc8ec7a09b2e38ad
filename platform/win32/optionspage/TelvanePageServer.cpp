// TelvanePage.dll's entry points: the exports of an in-process server (ordinals in
// TelvanePage.def) and DllMain.
#include <windows.h>

#include <array>

#include "TelvanePPE.h"
#include "platform/win32/com/ClassFactory.h"
#include "platform/win32/com/ComBoundary.h"
#include "platform/win32/com/ServerModule.h"
#include "platform/win32/com/ServerRegistration.h"
#include "platform/win32/optionspage/PageRegistration.h"
#include "platform/win32/optionspage/TelvanePageObject.h"
#include "platform/win32/ui/WindowClass.h"

namespace {

using namespace telvane::win32;

const std::array<com::ClassEntry, 1> Classes = {{
    {&__uuidof(::TelvanePage), &com::CreateComObject<TelvanePageObject>},
}};

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        com::ServerModule::SetHandle(module);
    return TRUE;
}

STDAPI DllCanUnloadNow() {
    // A class left registered, or a window of it still alive, would outlive its procedure.
    if (WindowClass::AnyLeft(com::ServerModule::Handle()))
        return S_FALSE;
    return com::ServerModule::CanUnloadNow();
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* object) {
    return com::ClassFactory::GetClassObject(Classes, clsid, iid, object);
}

STDAPI DllRegisterServer() {
    return com::ComBoundary::Call(
        [] { return com::ServerRegistration::Register(PageRegistration::Table); });
}

STDAPI DllUnregisterServer() {
    return com::ComBoundary::Call(
        [] { return com::ServerRegistration::Unregister(PageRegistration::Table); });
}

STDAPI DllInstall(BOOL install, PCWSTR commandLine) {
    return com::ComBoundary::Call([&] {
        return com::ServerRegistration::Install(install != FALSE, commandLine,
                                                PageRegistration::Table);
    });
}
