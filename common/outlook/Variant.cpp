#include "common/outlook/Variant.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "common/outlook/RaisedError.h"

namespace telvane {
namespace {

[[noreturn]] void Raise(std::int32_t number, const char* description) {
    throw RaisedError(number, "Variant", description);
}

// A number written in text, as automation reads it: blanks around it allowed, a sign,
// digits with an optional fraction and exponent, or &H / &O prefixed whole numbers.
double ParseNumber(const std::string& text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && std::isspace(static_cast<unsigned char>(text[begin])))
        ++begin;
    while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1])))
        --end;
    if (begin == end)
        Raise(RaisedError::TypeMismatch, "Type mismatch");
    const char* first = text.data() + begin;
    const char* last = text.data() + end;
    if (last - first > 2 && first[0] == '&' &&
        (first[1] == 'H' || first[1] == 'h' || first[1] == 'O' || first[1] == 'o')) {
        int base = (first[1] == 'H' || first[1] == 'h') ? 16 : 8;
        std::uint32_t value = 0;
        auto [ptr, ec] = std::from_chars(first + 2, last, value, base);
        if (ec != std::errc() || ptr != last)
            Raise(RaisedError::TypeMismatch, "Type mismatch");
        // &H values are 16-bit when they fit, as automation reads them.
        if (value <= 0xFFFF)
            return static_cast<std::int16_t>(value);
        return static_cast<std::int32_t>(value);
    }
    if (*first == '+')
        ++first;
    double value = 0;
    auto [ptr, ec] = std::from_chars(first, last, value);
    // A huge number followed by more text ("1e400x") is no number at all, not an overflow.
    if (ec == std::errc::result_out_of_range && ptr == last)
        Raise(RaisedError::Overflow, "Overflow");
    if (ec != std::errc() || ptr != last || !std::isfinite(value)) {
        Raise(RaisedError::TypeMismatch, "Type mismatch");
    }
    return value;
}

template <class T>
T ToWhole(const Variant& v) {
    double number = 0;
    switch (v.GetKind()) {
        case Variant::Kind::Empty:
            return 0;
        case Variant::Kind::Int16:
            number = v.AsInt16();
            break;
        case Variant::Kind::Int32:
            number = v.AsInt32();
            break;
        case Variant::Kind::Bool:
            return v.AsBool() ? T(-1) : T(0);
        case Variant::Kind::Double:
            number = v.AsDouble();
            break;
        case Variant::Kind::Text:
            number = ParseNumber(v.AsText());
            break;
        case Variant::Kind::Bytes:
            Raise(RaisedError::TypeMismatch, "Type mismatch");
    }
    if (!std::isfinite(number))
        Raise(RaisedError::Overflow, "Overflow");
    double rounded = std::nearbyint(number);  // default rounding mode: half to even
    if (rounded < static_cast<double>(std::numeric_limits<T>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<T>::max())) {
        Raise(RaisedError::Overflow, "Overflow");
    }
    return static_cast<T>(rounded);
}

}  // namespace

std::int16_t Variant::ToInt16() const {
    return ToWhole<std::int16_t>(*this);
}
std::int32_t Variant::ToInt32() const {
    return ToWhole<std::int32_t>(*this);
}

std::string Variant::ToText() const {
    switch (GetKind()) {
        case Kind::Empty:
            return {};
        case Kind::Int16:
            return std::to_string(AsInt16());
        case Kind::Int32:
            return std::to_string(AsInt32());
        case Kind::Bool:
            return AsBool() ? "True" : "False";
        case Kind::Double: {
            char buffer[32];
            std::snprintf(buffer, sizeof buffer, "%.15g", AsDouble());
            return buffer;
        }
        case Kind::Text:
            return AsText();
        case Kind::Bytes:
            break;
    }
    Raise(RaisedError::TypeMismatch, "Type mismatch");
}

}  // namespace telvane
