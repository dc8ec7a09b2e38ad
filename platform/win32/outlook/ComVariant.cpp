#include "platform/win32/outlook/ComVariant.h"

#include <cstring>
#include <limits>
#include <new>
#include <string_view>
#include <utility>

#include "common/outlook/RaisedError.h"
#include "platform/win32/com/Bstr.h"
#include "platform/win32/com/TextConversion.h"
#include "platform/win32/outlook/ComError.h"

namespace telvane::win32 {
namespace {

// MinGW declares the source of the copy and conversion functions without const; they do not
// change it.
VARIANT* Source(const VARIANT& value) {
    return const_cast<VARIANT*>(&value);
}

[[noreturn]] void RaiseConversion(HRESULT hr) {
    if (hr == DISP_E_OVERFLOW)
        throw RaisedError(RaisedError::Overflow, "", "Overflow");
    if (hr == E_OUTOFMEMORY)
        throw std::bad_alloc();
    throw RaisedError(RaisedError::TypeMismatch, "", "Type mismatch");
}

// The value itself, or what a VT_BYREF | VT_VARIANT points at.
const VARIANT& Through(const VARIANT& value) {
    return value.vt == (VT_BYREF | VT_VARIANT) && value.pvarVal ? *value.pvarVal : value;
}

// Most of what the mail client's fields hold is ASCII, which is the same in both encodings:
// copied unit by unit, without the code page functions' measuring pass and call.
bool IsAscii(std::wstring_view text) {
    for (wchar_t c : text) {
        if (c >= 0x80)
            return false;
    }
    return true;
}

bool IsAscii(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

std::string Utf8Of(BSTR text) {
    const std::wstring_view wide = com::Bstr::View(text);
    if (!IsAscii(wide))
        return com::Utf8FromWide(wide);
    std::string result(wide.size(), '\0');
    for (std::size_t i = 0; i < wide.size(); ++i)
        result[i] = static_cast<char>(wide[i]);
    return result;
}

BSTR BstrOf(std::string_view utf8) {
    if (!IsAscii(utf8))
        return com::Bstr::FromUtf8(utf8).Detach();
    BSTR text = ::SysAllocStringLen(nullptr, static_cast<UINT>(utf8.size()));
    if (!text)
        throw std::bad_alloc();
    for (std::size_t i = 0; i < utf8.size(); ++i)
        text[i] = static_cast<unsigned char>(utf8[i]);
    return text;
}

Variant Whole(double value) {
    if (value >= std::numeric_limits<std::int32_t>::min() &&
        value <= std::numeric_limits<std::int32_t>::max()) {
        return Variant(static_cast<std::int32_t>(value));
    }
    return Variant(value);
}

}  // namespace

ComVariant::ComVariant(std::int32_t value) : ComVariant() {
    m_value.vt = VT_I4;
    m_value.lVal = value;
}

ComVariant::ComVariant(std::string_view utf8) : ComVariant() {
    m_value.bstrVal = BstrOf(utf8);
    m_value.vt = VT_BSTR;
}

ComVariant::ComVariant(IDispatch* object) : ComVariant() {
    if (object)
        object->AddRef();
    m_value.pdispVal = object;
    m_value.vt = VT_DISPATCH;
}

ComVariant::ComVariant(const Variant& value) : ComVariant() {
    switch (value.GetKind()) {
        case Variant::Kind::Empty:
            break;
        case Variant::Kind::Int16:
            m_value.vt = VT_I2;
            m_value.iVal = value.AsInt16();
            break;
        case Variant::Kind::Int32:
            m_value.vt = VT_I4;
            m_value.lVal = value.AsInt32();
            break;
        case Variant::Kind::Bool:
            m_value.vt = VT_BOOL;
            m_value.boolVal = value.AsBool() ? VARIANT_TRUE : VARIANT_FALSE;
            break;
        case Variant::Kind::Double:
            m_value.vt = VT_R8;
            m_value.dblVal = value.AsDouble();
            break;
        case Variant::Kind::Text:
            m_value.bstrVal = BstrOf(value.AsText());
            m_value.vt = VT_BSTR;
            break;
        case Variant::Kind::Bytes: {
            const Variant::Bytes& bytes = value.AsBytes();
            SAFEARRAY* array = ::SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
            if (!array)
                throw std::bad_alloc();
            if (!bytes.empty())
                std::memcpy(array->pvData, bytes.data(), bytes.size());
            m_value.vt = VT_ARRAY | VT_UI1;
            m_value.parray = array;
            break;
        }
    }
}

ComVariant::ComVariant(const ComVariant& other) : ComVariant() {
    HRESULT hr = ::VariantCopy(&m_value, Source(other.m_value));
    if (FAILED(hr))
        RaiseConversion(hr);
}

ComVariant& ComVariant::operator=(const ComVariant& other) {
    if (this != &other) {
        ComVariant copy(other);
        *this = std::move(copy);
    }
    return *this;
}

ComVariant::ComVariant(ComVariant&& other) noexcept : m_value(other.m_value) {
    ::VariantInit(&other.m_value);
}

ComVariant& ComVariant::operator=(ComVariant&& other) noexcept {
    if (this != &other) {
        ::VariantClear(&m_value);
        m_value = other.m_value;
        ::VariantInit(&other.m_value);
    }
    return *this;
}

ComVariant ComVariant::CopyOf(const VARIANT& value) {
    ComVariant result;
    HRESULT hr = ::VariantCopyInd(&result.m_value, Source(value));
    if (FAILED(hr))
        RaiseConversion(hr);
    return result;
}

VARIANT* ComVariant::Put() {
    ::VariantClear(&m_value);
    return &m_value;
}

VARIANT ComVariant::Detach() {
    VARIANT result = m_value;
    ::VariantInit(&m_value);
    return result;
}

Variant ComVariant::ToVariant() const {
    // VT_BYREF values read through to what they point at; only those are copied.
    const ComVariant copy = (m_value.vt & VT_BYREF) ? CopyOf(m_value) : ComVariant();
    const VARIANT& value = (m_value.vt & VT_BYREF) ? *copy : m_value;
    switch (value.vt) {
        case VT_EMPTY:
        case VT_NULL:
            return Variant();
        case VT_I2:
            return Variant(static_cast<std::int16_t>(value.iVal));
        case VT_I4:
            return Variant(static_cast<std::int32_t>(value.lVal));
        case VT_BOOL:
            return Variant(value.boolVal != VARIANT_FALSE);
        case VT_R8:
            return Variant(value.dblVal);
        case VT_BSTR:
            return Variant(Utf8Of(value.bstrVal));
        case VT_UI1:
            return Variant(static_cast<std::int16_t>(value.bVal));
        case VT_I1:
            return Variant(static_cast<std::int16_t>(value.cVal));
        case VT_ARRAY | VT_UI1: {
            SAFEARRAY* array = value.parray;
            LONG lower = 0, upper = -1;
            if (::SafeArrayGetDim(array) != 1 || FAILED(::SafeArrayGetLBound(array, 1, &lower)) ||
                FAILED(::SafeArrayGetUBound(array, 1, &upper))) {
                RaiseConversion(DISP_E_TYPEMISMATCH);
            }
            Variant::Bytes bytes(static_cast<std::size_t>(upper - lower + 1));
            if (!bytes.empty())
                std::memcpy(bytes.data(), array->pvData, bytes.size());
            return Variant(std::move(bytes));
        }
        // Whole numbers of other widths: 32-bit when they fit, else floating point. Checked
        // here: Wine's VariantChangeType turns VT_UI4 0xFFFFFFFF into VT_I4 -1.
        case VT_UI2:
            return Variant(static_cast<std::int32_t>(value.uiVal));
        case VT_INT:
            return Variant(static_cast<std::int32_t>(value.intVal));
        case VT_UI4:
        case VT_UINT:
            return Whole(static_cast<double>(value.ulVal));
        case VT_I8:
            return Whole(static_cast<double>(value.llVal));
        case VT_UI8:
            return Whole(static_cast<double>(value.ullVal));
        case VT_R4:
        case VT_CY:
        case VT_DATE:
        case VT_DECIMAL: {
            VARIANT converted;
            ::VariantInit(&converted);
            HRESULT hr = ::VariantChangeType(&converted, Source(value), 0, VT_R8);
            if (FAILED(hr))
                RaiseConversion(hr);
            return Variant(converted.dblVal);
        }
        default:
            RaiseConversion(DISP_E_TYPEMISMATCH);
    }
}

std::int32_t ComVariant::ToInt32() const {
    VARIANT converted;
    ::VariantInit(&converted);
    HRESULT hr = ::VariantChangeType(&converted, Source(m_value), 0, VT_I4);
    if (FAILED(hr))
        RaiseConversion(hr);
    return converted.lVal;
}

std::string ComVariant::ToText() const {
    // Text is converted where it lies; only other types are changed to text first.
    const VARIANT& value = Through(m_value);
    switch (value.vt) {
        case VT_BSTR:
            return Utf8Of(value.bstrVal);
        case VT_BYREF | VT_BSTR:
            return value.pbstrVal ? Utf8Of(*value.pbstrVal) : std::string();
        case VT_EMPTY:
        case VT_NULL:
            return {};
        default:
            break;
    }
    ComVariant converted;
    HRESULT hr = ::VariantChangeType(converted.Get(), Source(value), 0, VT_BSTR);
    if (FAILED(hr))
        RaiseConversion(hr);
    if (converted.Type() != VT_BSTR)
        RaiseConversion(DISP_E_TYPEMISMATCH);
    return Utf8Of((*converted).bstrVal);
}

ComPtr<IDispatch> ComVariant::ToObject() const {
    const ComVariant copy = (m_value.vt & VT_BYREF) ? CopyOf(m_value) : ComVariant();
    const VARIANT& value = (m_value.vt & VT_BYREF) ? *copy : m_value;
    switch (value.vt) {
        case VT_EMPTY:
        case VT_NULL:
            return nullptr;
        case VT_DISPATCH:
            return ComPtr<IDispatch>(value.pdispVal);
        case VT_UNKNOWN: {
            ComPtr<IDispatch> object;
            if (value.punkVal) {
                value.punkVal->QueryInterface(IID_IDispatch, object.PutVoid());
                if (!object)
                    RaiseConversion(DISP_E_TYPEMISMATCH);
            }
            return object;
        }
        default:
            RaiseConversion(DISP_E_TYPEMISMATCH);
    }
}

}  // namespace telvane::win32
