#pragma once

#include <ole2.h>
#include <windows.h>

#include <string>
#include <string_view>
#include <utility>

namespace telvane::win32::com {

// Owns one BSTR.
class Bstr {
public:
    Bstr() = default;
    explicit Bstr(std::wstring_view text)
        : m_text(::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    static Bstr FromUtf8(std::string_view utf8);
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

    std::wstring_view View() const { return {m_text, ::SysStringLen(m_text)}; }
    std::string Utf8() const;

private:
    BSTR m_text = nullptr;
};

}  // namespace telvane::win32::com
