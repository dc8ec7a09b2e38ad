#pragma once

#include <windows.h>

#include <string>

namespace telvane::win32::com {

// An HRESULT as messages and logs write it: "0x80004005".
std::string Hex(HRESULT hr);

}  // namespace telvane::win32::com
