#pragma once

#include <ole2.h>
#include <windows.h>

#include <string>
#include <string_view>
#include <utility>

namespace telvane::win32::com {

// Owns one BSTR. A failed allocation throws std::bad_alloc, which the COM boundaries report as
// E_OUTOFMEMORY: a null BSTR is never handed on as if it were text.
class Bstr {
public:
    Bstr() = default;
    explicit Bstr(std::wstring_view text);
    // One allocation: the UTF-8 text is converted straight into the BSTR.
    static Bstr FromUtf8(std::string_view utf8);
    // Takes over a BSTR the caller owns.
    static Bstr Attach(BSTR text) {
        Bstr result;
        result.m_text = text;
        return result;
    }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    Bstr(Bstr&& other) noexcept : m_text(std::exchange(other.m_text, nullptr)) {}
    Bstr& operator=(Bstr&& other) noexcept {
        Bstr(std::move(other)).Swap(*this);
        return *this;
    }
    ~Bstr() { ::SysFreeString(m_text); }

    BSTR Get() const { return m_text; }
    BSTR* Put() {
        Bstr().Swap(*this);
        return &m_text;
    }
    BSTR Detach() { return std::exchange(m_text, nullptr); }
    void Swap(Bstr& other) noexcept { std::swap(m_text, other.m_text); }

    // A null BSTR is the empty text.
    std::wstring_view View() const { return View(m_text); }
    static std::wstring_view View(BSTR text) { return {text, ::SysStringLen(text)}; }
    std::string Utf8() const;

private:
    BSTR m_text = nullptr;
};

}  // namespace telvane::win32::com
