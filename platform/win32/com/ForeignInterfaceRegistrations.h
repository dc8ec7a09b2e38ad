#pragma once

#include <ole2.h>
#include <windows.h>

#include <span>
#include <string>
#include <vector>

namespace telvane::win32::com {

// The values under HKCR\Interface\{iid} that RegisterTypeLib and UnRegisterTypeLib rewrite,
// saved for each interface whose registration names another library, so that registering our
// library (which declares the interface too) leaves that library's registration as it was.
class ForeignInterfaceRegistrations {
public:
    ForeignInterfaceRegistrations(std::span<const IID> interfaces, const std::wstring& ourLibrary);
    void Restore() const;

private:
    struct Value {
        std::wstring key;
        std::wstring name;
        std::wstring text;
    };

    void Save(const std::wstring& key, const wchar_t* name);

    std::vector<Value> m_values;
};

}  // namespace telvane::win32::com
