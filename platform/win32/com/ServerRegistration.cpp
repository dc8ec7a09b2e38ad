#include "platform/win32/com/ServerRegistration.h"

#include <olectl.h>

#include "platform/win32/com/GuidText.h"
#include "platform/win32/com/ModuleTypeLibrary.h"
#include "platform/win32/com/ServerModule.h"

namespace telvane::win32::com {
namespace {

HRESULT TypeLibraryId(std::wstring& id) {
    ComPtr<ITypeLib> library;
    HRESULT hr = ModuleTypeLibrary::Load(library);
    TLIBATTR* attributes = nullptr;
    if (SUCCEEDED(hr))
        hr = library->GetLibAttr(&attributes);
    if (FAILED(hr))
        return hr;
    id = GuidText(attributes->guid);
    library->ReleaseTLibAttr(attributes);
    return S_OK;
}

}  // namespace

HRESULT ServerRegistration::Register(RegistrationTableBuilder table,
                                     std::span<const IID> foreignInterfaces) {
    std::wstring libraryId;
    if (FAILED(TypeLibraryId(libraryId)) ||
        FAILED(ModuleTypeLibrary::Register(foreignInterfaces))) {
        return SELFREG_E_TYPELIB;
    }
    return table(ServerModule::Path(), libraryId).Write() == ERROR_SUCCESS ? S_OK : SELFREG_E_CLASS;
}

HRESULT ServerRegistration::Unregister(RegistrationTableBuilder table,
                                       std::span<const IID> foreignInterfaces) {
    std::wstring libraryId;
    if (FAILED(TypeLibraryId(libraryId)))
        return SELFREG_E_TYPELIB;
    if (table(ServerModule::Path(), libraryId).Remove() != ERROR_SUCCESS)
        return SELFREG_E_CLASS;
    return SUCCEEDED(ModuleTypeLibrary::Unregister(foreignInterfaces)) ? S_OK : SELFREG_E_TYPELIB;
}

}  // namespace telvane::win32::com
