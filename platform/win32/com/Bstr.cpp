#include "platform/win32/com/Bstr.h"

#include <new>

#include "platform/win32/com/TextConversion.h"

namespace telvane::win32::com {

Bstr::Bstr(std::wstring_view text)
    : m_text(::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {
    if (!m_text)
        throw std::bad_alloc();
}

Bstr Bstr::FromUtf8(std::string_view utf8) {
    const int size = static_cast<int>(utf8.size());
    const int needed =
        size == 0 ? 0 : ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    Bstr result = Attach(::SysAllocStringLen(nullptr, static_cast<UINT>(needed)));
    if (!result.m_text)
        throw std::bad_alloc();
    if (needed > 0)
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, result.m_text, needed);
    return result;
}

std::string Bstr::Utf8() const {
    return Utf8FromWide(View());
}

}  // namespace telvane::win32::com
