#include "platform/win32/com/ForeignInterfaceRegistrations.h"

#include <windows.h>

#include "platform/win32/com/GuidText.h"

namespace telvane::win32::com {
namespace {

std::wstring ReadText(const std::wstring& key, const wchar_t* name) {
    DWORD size = 0;
    if (::RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, nullptr,
                       &size) != ERROR_SUCCESS) {
        return {};
    }
    std::wstring text(size / sizeof(wchar_t), L'\0');
    if (::RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, text.data(),
                       &size) != ERROR_SUCCESS) {
        return {};
    }
    text.resize(wcslen(text.c_str()));
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
        ::RegSetKeyValueW(HKEY_CLASSES_ROOT, value.key.c_str(),
                          value.name.empty() ? nullptr : value.name.c_str(), REG_SZ,
                          value.text.c_str(),
                          static_cast<DWORD>((value.text.size() + 1) * sizeof(wchar_t)));
    }
}

void ForeignInterfaceRegistrations::Save(const std::wstring& key, const wchar_t* name) {
    std::wstring text = ReadText(key, name);
    if (!text.empty())
        m_values.push_back({key, name ? name : L"", std::move(text)});
}

}  // namespace telvane::win32::com
