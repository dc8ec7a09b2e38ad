#pragma once

#include <ole2.h>
#include <windows.h>

#include <string>
#include <string_view>

namespace telvane::win32 {

// An owned BSTR. Text is UTF-8 inside the product and UTF-16 only here, at the COM edge.
class Bstr {
public:
    Bstr() = default;
    explicit Bstr(std::string_view utf8);
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    Bstr(Bstr&& other) noexcept;
    Bstr& operator=(Bstr&& other) noexcept;
    ~Bstr();

    // Takes over a BSTR the caller owns.
    static Bstr Attach(BSTR text);

    BSTR Get() const { return m_text; }
    BSTR* Put();
    BSTR Detach();

    std::string ToUtf8() const { return ToUtf8(m_text); }
    static std::string ToUtf8(const wchar_t* text, std::size_t length);
    // A null BSTR is the empty text.
    static std::string ToUtf8(BSTR text);
    static std::wstring ToWide(std::string_view utf8);

private:
    BSTR m_text = nullptr;
};

}  // namespace telvane::win32
