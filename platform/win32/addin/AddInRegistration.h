#pragma once

#include <string>

#include "platform/win32/com/RegistrationTable.h"

namespace telvane::win32 {

// Everything the add-in library's DllRegisterServer writes besides its type library: its two
// classes and the mail client's add-in entry.
class AddInRegistration {
public:
    static constexpr const wchar_t* AddInKey =
        L"Software\\Microsoft\\Office\\Outlook\\Addins\\Telvane.TLConnect";

    static com::RegistrationTable Table(const std::wstring& modulePath,
                                        const std::wstring& typeLibraryId);
};

}  // namespace telvane::win32
