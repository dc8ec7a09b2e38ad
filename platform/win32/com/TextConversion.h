#pragma once

#include <string>
#include <string_view>

// Text crosses into the platform here: UTF-8 inside the product, UTF-16 for COM and the W
// functions, the ANSI code page for the A functions. Embedded zeros are kept.
namespace telvane::win32::com {

std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);
// Characters the ANSI code page lacks become its default character, as the A functions do.
std::string AnsiFromUtf8(std::string_view utf8);
std::string Utf8FromAnsi(std::string_view ansi);

}  // namespace telvane::win32::com
