#include "platform/win32/com/ModuleTypeLibrary.h"

#include <windows.h>

#include <string>

#include "platform/win32/com/ForeignInterfaceRegistrations.h"
#include "platform/win32/com/GuidText.h"
#include "platform/win32/com/RegistryKeyHandle.h"
#include "platform/win32/com/ServerModule.h"

namespace telvane::win32::com {
namespace {

struct LibraryIdentity {
    GUID id;
    WORD major;
    WORD minor;
    LCID locale;
    SYSKIND system;
};

HRESULT IdentityOf(ITypeLib* library, LibraryIdentity& identity) {
    TLIBATTR* attributes = nullptr;
    const HRESULT hr = library->GetLibAttr(&attributes);
    if (FAILED(hr))
        return hr;
    identity = {attributes->guid, attributes->wMajorVerNum, attributes->wMinorVerNum,
                attributes->lcid, attributes->syskind};
    library->ReleaseTLibAttr(attributes);
    return S_OK;
}

}  // namespace

HRESULT ModuleTypeLibrary::Load(ComPtr<ITypeLib>& library) {
    const std::wstring path = ServerModule::Path();
    return ::LoadTypeLibEx(path.c_str(), REGKIND_NONE, library.Put());
}

HRESULT ModuleTypeLibrary::TypeInfoOf(REFGUID guid, ComPtr<ITypeInfo>& info) {
    ComPtr<ITypeLib> library;
    const HRESULT hr = Load(library);
    if (FAILED(hr))
        return hr;
    return library->GetTypeInfoOfGuid(guid, info.Put());
}

HRESULT ModuleTypeLibrary::Register(std::span<const IID> foreignInterfaces) {
    ComPtr<ITypeLib> library;
    HRESULT hr = Load(library);
    LibraryIdentity identity{};
    if (SUCCEEDED(hr))
        hr = IdentityOf(library.Get(), identity);
    if (FAILED(hr))
        return hr;

    const ForeignInterfaceRegistrations foreign(foreignInterfaces, GuidText(identity.id));
    std::wstring path = ServerModule::Path();
    hr = ::RegisterTypeLib(library.Get(), path.data(), nullptr);
    foreign.Restore();
    return hr;
}

HRESULT ModuleTypeLibrary::Unregister(std::span<const IID> foreignInterfaces) {
    ComPtr<ITypeLib> library;
    HRESULT hr = Load(library);
    LibraryIdentity identity{};
    if (SUCCEEDED(hr))
        hr = IdentityOf(library.Get(), identity);
    if (FAILED(hr))
        return hr;

    const std::wstring libraryKey = L"TypeLib\\" + GuidText(identity.id);
    if (!RegistryKeyHandle::Open(HKEY_CLASSES_ROOT, libraryKey.c_str(), KEY_READ)) {
        return S_OK;  // nothing registered: unregistering again is harmless
    }

    const ForeignInterfaceRegistrations foreign(foreignInterfaces, GuidText(identity.id));
    hr = ::UnRegisterTypeLib(identity.id, identity.major, identity.minor, identity.locale,
                             identity.system);
    foreign.Restore();
    return hr;
}

}  // namespace telvane::win32::com
