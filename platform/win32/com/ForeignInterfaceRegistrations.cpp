#include "platform/win32/com/ForeignInterfaceRegistrations.h"

#include <windows.h>

#include "platform/win32/com/GuidText.h"
#include "platform/win32/com/RegistryKeyHandle.h"

namespace telvane::win32::com {
namespace {

std::wstring ReadText(const std::wstring& key, const wchar_t* name) {
    const RegistryKeyHandle opened =
        RegistryKeyHandle::Open(HKEY_CLASSES_ROOT, key.c_str(), KEY_QUERY_VALUE);
    std::wstring text;
    if (!opened || opened.QueryText(name, text) != ERROR_SUCCESS)
        return {};
    return text;
}

}  // namespace

ForeignInterfaceRegistrations::ForeignInterfaceRegistrations(std::span<const IID> interfaces,
                                                             const std::wstring& ourLibrary) {
    for (const IID& iid : interfaces) {
        const std::wstring key = L"Interface\\" + GuidText(iid);
        const std::wstring owner = ReadText(key + L"\\TypeLib", nullptr);
        if (owner.empty() || ::_wcsicmp(owner.c_str(), ourLibrary.c_str()) == 0)
            continue;
        Save(key, nullptr);
        Save(key + L"\\ProxyStubClsid", nullptr);
        Save(key + L"\\ProxyStubClsid32", nullptr);
        Save(key + L"\\TypeLib", nullptr);
        Save(key + L"\\TypeLib", L"Version");
    }
}

void ForeignInterfaceRegistrations::Restore() const {
    for (const Value& value : m_values) {
        const RegistryKeyHandle key =
            RegistryKeyHandle::Create(HKEY_CLASSES_ROOT, value.key.c_str());
        if (key)
            key.SetText(value.name.empty() ? nullptr : value.name.c_str(), value.text);
    }
}

void ForeignInterfaceRegistrations::Save(const std::wstring& key, const wchar_t* name) {
    std::wstring text = ReadText(key, name);
    if (!text.empty())
        m_values.push_back({key, name ? name : L"", std::move(text)});
}

}  // namespace telvane::win32::com
