#pragma once

#include <ole2.h>
#include <windows.h>

#include <string>

namespace telvane::win32::com {

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", as the registry spells identifiers.
std::wstring GuidText(REFGUID guid);

}  // namespace telvane::win32::com
