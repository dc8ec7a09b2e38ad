#pragma once

#include <string>

#include "platform/win32/com/RegistrationTable.h"

namespace telvane::win32 {

// Everything the options-page library's DllRegisterServer writes besides its type library: the
// page control's class and control entries.
class PageRegistration {
public:
    static constexpr const wchar_t* ProgId = L"TelvanePPE.TelvanePage";
    static constexpr int ToolboxBitmapId = 30000;

    static com::RegistrationTable Table(const std::wstring& modulePath,
                                        const std::wstring& typeLibraryId);
};

}  // namespace telvane::win32
