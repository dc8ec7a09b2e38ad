#pragma once

#include <ole2.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "common/outlook/Variant.h"
#include "platform/win32/com/ComPtr.h"

namespace telvane::win32 {

// An owned VARIANT, and the conversions between it and the product's Variant.
class ComVariant {
public:
    ComVariant() { ::VariantInit(&m_value); }
    explicit ComVariant(std::int32_t value);
    explicit ComVariant(const std::string& utf8) : ComVariant(std::string_view(utf8)) {}
    explicit ComVariant(const char* utf8) : ComVariant(std::string_view(utf8)) {}
    explicit ComVariant(std::string_view utf8);
    explicit ComVariant(const Variant& value);
    explicit ComVariant(IDispatch* object);  // adds a reference; null gives VT_DISPATCH null
    ComVariant(const ComVariant& other);
    ComVariant& operator=(const ComVariant& other);
    ComVariant(ComVariant&& other) noexcept;
    ComVariant& operator=(ComVariant&& other) noexcept;
    ~ComVariant() { ::VariantClear(&m_value); }

    // Copies the value (through any VT_BYREF) from a VARIANT the caller keeps.
    static ComVariant CopyOf(const VARIANT& value);

    VARIANT* Get() { return &m_value; }
    const VARIANT& operator*() const { return m_value; }
    VARTYPE Type() const { return m_value.vt; }
    // Releases what is held and hands out the VARIANT for an out-parameter.
    VARIANT* Put();
    // Hands the value to the caller, who clears it.
    VARIANT Detach();

    // Conversions raise RaisedError 13 (type mismatch) or 6 (overflow) like automation does.
    // Empty reads as 0, "" and no object; null as "" and no object.
    Variant ToVariant() const;
    std::int32_t ToInt32() const;
    std::string ToText() const;
    ComPtr<IDispatch> ToObject() const;

private:
    VARIANT m_value;
};

}  // namespace telvane::win32
