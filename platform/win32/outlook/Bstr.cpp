#include "platform/win32/outlook/Bstr.h"

#include <new>
#include <utility>

namespace telvane::win32 {

Bstr::Bstr(std::string_view utf8) {
    std::wstring wide = ToWide(utf8);
    m_text = ::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    if (!m_text)
        throw std::bad_alloc();
}

Bstr::Bstr(Bstr&& other) noexcept : m_text(std::exchange(other.m_text, nullptr)) {}

Bstr& Bstr::operator=(Bstr&& other) noexcept {
    std::swap(m_text, other.m_text);
    return *this;
}

Bstr::~Bstr() {
    ::SysFreeString(m_text);
}

Bstr Bstr::Attach(BSTR text) {
    Bstr result;
    result.m_text = text;
    return result;
}

BSTR* Bstr::Put() {
    ::SysFreeString(std::exchange(m_text, nullptr));
    return &m_text;
}

BSTR Bstr::Detach() {
    return std::exchange(m_text, nullptr);
}

std::string Bstr::ToUtf8(const wchar_t* text, std::size_t length) {
    if (!text || length == 0)
        return {};
    int size = ::WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0,
                                     nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), result.data(), size, nullptr,
                          nullptr);
    return result;
}

std::string Bstr::ToUtf8(BSTR text) {
    return ToUtf8(text, text ? ::SysStringLen(text) : 0);
}

std::wstring Bstr::ToWide(std::string_view utf8) {
    if (utf8.empty())
        return {};
    int size =
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring result(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), result.data(),
                          size);
    return result;
}

}  // namespace telvane::win32
