#include "platform/win32/com/TextConversion.h"

#include <windows.h>

namespace telvane::win32::com {
namespace {

std::wstring ToWide(unsigned codePage, std::string_view text) {
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int needed = ::MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring result(static_cast<size_t>(needed), L'\0');
    ::MultiByteToWideChar(codePage, 0, text.data(), size, result.data(), needed);
    return result;
}

std::string FromWide(unsigned codePage, std::wstring_view text) {
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int needed =
        ::WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(needed), '\0');
    ::WideCharToMultiByte(codePage, 0, text.data(), size, result.data(), needed, nullptr, nullptr);
    return result;
}

}  // namespace

std::wstring WideFromUtf8(std::string_view utf8) {
    return ToWide(CP_UTF8, utf8);
}
std::string Utf8FromWide(std::wstring_view wide) {
    return FromWide(CP_UTF8, wide);
}
std::string AnsiFromUtf8(std::string_view utf8) {
    return FromWide(CP_ACP, WideFromUtf8(utf8));
}
std::string Utf8FromAnsi(std::string_view ansi) {
    return Utf8FromWide(ToWide(CP_ACP, ansi));
}

}  // namespace telvane::win32::com
