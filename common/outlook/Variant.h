#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace telvane {

// The tagged value that registry values and late-bound properties travel in: empty, a 16-bit
// or 32-bit whole number, a boolean, a floating-point number, a text or a byte array.
class Variant {
public:
    enum class Kind { Empty, Int16, Int32, Bool, Double, Text, Bytes };
    using Bytes = std::vector<std::uint8_t>;

    Variant() = default;
    Variant(std::int16_t v) : m_value(v) {}
    Variant(std::int32_t v) : m_value(v) {}
    Variant(bool v) : m_value(v) {}
    Variant(double v) : m_value(v) {}
    Variant(std::string v) : m_value(std::move(v)) {}
    Variant(const char* v) : m_value(std::string(v)) {}
    Variant(Bytes v) : m_value(std::move(v)) {}

    Kind GetKind() const { return static_cast<Kind>(m_value.index()); }
    bool IsEmpty() const { return GetKind() == Kind::Empty; }
    bool IsWholeNumber() const { return GetKind() == Kind::Int16 || GetKind() == Kind::Int32; }

    // Unchecked access for callers that tested the kind first.
    std::int16_t AsInt16() const { return std::get<std::int16_t>(m_value); }
    std::int32_t AsInt32() const { return std::get<std::int32_t>(m_value); }
    bool AsBool() const { return std::get<bool>(m_value); }
    double AsDouble() const { return std::get<double>(m_value); }
    const std::string& AsText() const { return std::get<std::string>(m_value); }
    const Bytes& AsBytes() const { return std::get<Bytes>(m_value); }

    // Automation conversions. They raise RaisedError 13 (type mismatch) for a value of the
    // wrong kind or a text that is not a number, and 6 (overflow) for a number out of range.
    // Empty converts to 0 and to "", true to -1, fractions round half to even.
    std::int16_t ToInt16() const;
    std::int32_t ToInt32() const;
    std::string ToText() const;

    friend bool operator==(const Variant&, const Variant&) = default;

private:
    std::variant<std::monostate, std::int16_t, std::int32_t, bool, double, std::string, Bytes>
        m_value;
};

}  // namespace telvane
