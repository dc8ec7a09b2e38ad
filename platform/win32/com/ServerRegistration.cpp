#include "platform/win32/com/ServerRegistration.h"

#include <cwchar>

#include "platform/win32/com/ClassesRootOverride.h"
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

HRESULT ResultOf(LONG error) {
    return error == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(static_cast<DWORD>(error));
}

}  // namespace

HRESULT ServerRegistration::Register(RegistrationTableBuilder table,
                                     std::span<const IID> foreignInterfaces) {
    std::wstring libraryId;
    HRESULT hr = TypeLibraryId(libraryId);
    if (SUCCEEDED(hr))
        hr = ModuleTypeLibrary::Register(foreignInterfaces);
    if (FAILED(hr))
        return hr;
    return ResultOf(table(ServerModule::Path(), libraryId).Write());
}

HRESULT ServerRegistration::Unregister(RegistrationTableBuilder table,
                                       std::span<const IID> foreignInterfaces) {
    std::wstring libraryId;
    HRESULT hr = TypeLibraryId(libraryId);
    if (SUCCEEDED(hr))
        hr = ResultOf(table(ServerModule::Path(), libraryId).Remove());
    if (FAILED(hr))
        return hr;
    return ModuleTypeLibrary::Unregister(foreignInterfaces);
}

HRESULT ServerRegistration::Install(bool install, const wchar_t* commandLine,
                                    RegistrationTableBuilder table,
                                    std::span<const IID> foreignInterfaces) {
    const auto run = [&] {
        return install ? Register(table, foreignInterfaces) : Unregister(table, foreignInterfaces);
    };
    if (!commandLine || *commandLine == L'\0')
        return run();
    if (::_wcsicmp(commandLine, L"user") != 0)
        return E_INVALIDARG;
    const ClassesRootOverride userClasses;
    if (userClasses.Result() != ERROR_SUCCESS)
        return ResultOf(userClasses.Result());
    return run();
}

}  // namespace telvane::win32::com
