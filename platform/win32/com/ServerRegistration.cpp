#include "platform/win32/com/ServerRegistration.h"

#include <cwchar>
#include <iterator>
#include <vector>

#include "platform/win32/com/Bstr.h"
#include "platform/win32/com/ClassesRootOverride.h"
#include "platform/win32/com/GuidText.h"
#include "platform/win32/com/ModuleTypeLibrary.h"
#include "platform/win32/com/RegistryKeyHandle.h"
#include "platform/win32/com/ServerModule.h"

namespace telvane::win32::com {
namespace {

// The module's type library and a copy of its attributes.
HRESULT LoadTypeLibrary(ComPtr<ITypeLib>& library, TLIBATTR& attribute) {
    HRESULT hr = ModuleTypeLibrary::Load(library);
    TLIBATTR* attributes = nullptr;
    if (SUCCEEDED(hr))
        hr = library->GetLibAttr(&attributes);
    if (FAILED(hr))
        return hr;
    attribute = *attributes;
    library->ReleaseTLibAttr(attributes);
    return S_OK;
}

HRESULT TypeLibraryId(std::wstring& id) {
    ComPtr<ITypeLib> library;
    TLIBATTR attribute{};
    const HRESULT hr = LoadTypeLibrary(library, attribute);
    if (SUCCEEDED(hr))
        id = GuidText(attribute.guid);
    return hr;
}

HRESULT ResultOf(LONG error) {
    return error == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(static_cast<DWORD>(error));
}

// The automation marshalers: of dual and oleautomation interfaces, and of dispinterfaces.
constexpr const wchar_t* InterfaceMarshaler = L"{00020424-0000-0000-C000-000000000046}";
constexpr const wchar_t* DispatchMarshaler = L"{00020420-0000-0000-C000-000000000046}";

std::wstring Hex(unsigned long number) {
    wchar_t text[16];
    int length = 0;
    do {
        text[length++] = L"0123456789abcdef"[number % 16];
        number /= 16;
    } while (number != 0);
    return std::wstring(std::make_reverse_iterator(text + length),
                        std::make_reverse_iterator(text));
}

std::wstring Decimal(unsigned long number) {
    std::wstring text;
    do {
        text.insert(text.begin(), static_cast<wchar_t>(L'0' + number % 10));
        number /= 10;
    } while (number != 0);
    return text;
}

bool IsForeign(const IID& iid, std::span<const IID> foreignInterfaces) {
    for (const IID& foreign : foreignInterfaces) {
        if (::IsEqualGUID(iid, foreign))
            return true;
    }
    return false;
}

// The library that HKCR's registration of the interface names, or empty.
std::wstring OwnerOf(const std::wstring& interfaceKey) {
    const RegistryKeyHandle key = RegistryKeyHandle::Open(
        HKEY_CLASSES_ROOT, (interfaceKey + L"\\TypeLib").c_str(), KEY_QUERY_VALUE);
    std::wstring owner;
    if (!key || key.QueryText(nullptr, owner) != ERROR_SUCCESS)
        return {};
    return owner;
}

// What RegisterTypeLib writes, as table entries: the library's key, and each dual,
// oleautomation and dispatch interface it describes. An interface the library declares but
// another one registered stays that library's, as ForeignInterfaceRegistrations keeps it for
// RegisterTypeLib. Used where RegisterTypeLib cannot be trusted to follow an override of
// HKEY_CLASSES_ROOT (Wine writes the interfaces into the machine's classes whatever the
// override).
HRESULT AddTypeLibrary(std::vector<RegistrationEntry>& entries, const std::wstring& modulePath,
                       std::span<const IID> foreignInterfaces) {
    ComPtr<ITypeLib> library;
    TLIBATTR attribute{};
    HRESULT hr = LoadTypeLibrary(library, attribute);
    if (FAILED(hr))
        return hr;

    const HKEY root = HKEY_CLASSES_ROOT;
    const std::wstring libraryId = GuidText(attribute.guid);
    const std::wstring version = Hex(attribute.wMajorVerNum) + L"." + Hex(attribute.wMinorVerNum);
    const std::wstring versionKey = L"TypeLib\\" + libraryId + L"\\" + version;
    Bstr documentation;
    hr = library->GetDocumentation(-1, nullptr, documentation.Put(), nullptr, nullptr);
    if (FAILED(hr))
        return hr;
    const wchar_t* platform = attribute.syskind == SYS_WIN64 ? L"win64" : L"win32";
    const std::wstring folder = modulePath.substr(0, modulePath.find_last_of(L'\\'));
    // The library's keys are shared by both bitnesses' registrations (the platform's key
    // aside): none is owned, so that registering one bitness keeps the other's.
    const std::wstring localeKey = versionKey + L"\\" + Hex(attribute.lcid);
    entries.insert(
        entries.end(),
        {
            RegistrationTable::ParentKey(root, L"TypeLib"),
            RegistrationTable::ParentKey(root, L"TypeLib\\" + libraryId),
            RegistrationTable::ParentKey(root, versionKey),
            RegistrationTable::Text(root, versionKey, L"", std::wstring(documentation.View())),
            RegistrationTable::ParentKey(root, localeKey),
            RegistrationTable::OwnedKey(root, localeKey + L"\\" + platform),
            RegistrationTable::Text(root, localeKey + L"\\" + platform, L"", modulePath),
            RegistrationTable::ParentKey(root, versionKey + L"\\FLAGS"),
            RegistrationTable::Text(root, versionKey + L"\\FLAGS", L"",
                                    Decimal(attribute.wLibFlags)),
            RegistrationTable::ParentKey(root, versionKey + L"\\HELPDIR"),
            RegistrationTable::Text(root, versionKey + L"\\HELPDIR", L"", folder),
        });

    const UINT count = library->GetTypeInfoCount();
    for (UINT index = 0; index < count; ++index) {
        ComPtr<ITypeInfo> info;
        hr = library->GetTypeInfo(index, info.Put());
        TYPEATTR* type = nullptr;
        if (SUCCEEDED(hr))
            hr = info->GetTypeAttr(&type);
        if (FAILED(hr))
            return hr;
        const IID iid = type->guid;
        const TYPEKIND kind = type->typekind;
        const WORD flags = type->wTypeFlags;
        info->ReleaseTypeAttr(type);
        const bool dual = (flags & TYPEFLAG_FDUAL) != 0;
        if (kind != TKIND_DISPATCH &&
            !(kind == TKIND_INTERFACE && (dual || (flags & TYPEFLAG_FOLEAUTOMATION) != 0))) {
            continue;
        }
        const std::wstring key = L"Interface\\" + GuidText(iid);
        if (IsForeign(iid, foreignInterfaces)) {
            const std::wstring owner = OwnerOf(key);
            if (!owner.empty() && ::_wcsicmp(owner.c_str(), libraryId.c_str()) != 0)
                continue;
        }
        Bstr name;
        hr = library->GetDocumentation(static_cast<INT>(index), name.Put(), nullptr, nullptr,
                                       nullptr);
        if (FAILED(hr))
            return hr;
        const wchar_t* marshaler =
            kind == TKIND_DISPATCH && !dual ? DispatchMarshaler : InterfaceMarshaler;
        entries.insert(
            entries.end(),
            {
                RegistrationTable::ParentKey(root, L"Interface"),
                RegistrationTable::OwnedKey(root, key),
                RegistrationTable::Text(root, key, L"", std::wstring(name.View())),
                RegistrationTable::Text(root, key + L"\\ProxyStubClsid", L"", marshaler),
                RegistrationTable::Text(root, key + L"\\ProxyStubClsid32", L"", marshaler),
                RegistrationTable::Text(root, key + L"\\TypeLib", L"", libraryId),
                RegistrationTable::Text(
                    root, key + L"\\TypeLib", L"Version",
                    Decimal(attribute.wMajorVerNum) + L"." + Decimal(attribute.wMinorVerNum)),
            });
    }
    return S_OK;
}

// Register or Unregister into the current user's classes: the table and the type library as
// one table, every key written through the overridden HKEY_CLASSES_ROOT.
HRESULT InstallForUser(bool install, RegistrationTableBuilder table,
                       std::span<const IID> foreignInterfaces) {
    const ClassesRootOverride userClasses;
    if (userClasses.Result() != ERROR_SUCCESS)
        return ResultOf(userClasses.Result());
    std::wstring libraryId;
    HRESULT hr = TypeLibraryId(libraryId);
    if (FAILED(hr))
        return hr;
    const std::wstring path = ServerModule::Path();
    // A user's classes may start without a CLSID key: it goes again with the last class in it.
    std::vector<RegistrationEntry> entries = {
        RegistrationTable::ParentKey(HKEY_CLASSES_ROOT, L"CLSID")};
    const RegistrationTable classes = table(path, libraryId);
    entries.insert(entries.end(), classes.Entries().begin(), classes.Entries().end());
    hr = AddTypeLibrary(entries, path, foreignInterfaces);
    if (FAILED(hr))
        return hr;
    const RegistrationTable all(std::move(entries));
    return ResultOf(install ? all.Write() : all.Remove());
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
    return InstallForUser(install, table, foreignInterfaces);
}

}  // namespace telvane::win32::com
