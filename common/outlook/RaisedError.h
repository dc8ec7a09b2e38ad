#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace telvane {

// A failure as the mail client and the product raise it: a number, the component that raised
// it, and a text for people. Every failure that crosses a layer travels as one of these.
class RaisedError : public std::runtime_error {
public:
    RaisedError(std::int32_t number, std::string source, std::string description);

    std::int32_t Number() const { return m_number; }
    const std::string& Source() const { return m_source; }
    const std::string& Description() const { return m_description; }

    // The automation errors the product raises itself.
    static constexpr std::int32_t InvalidArgument = 5;   // "Invalid procedure call or argument"
    static constexpr std::int32_t Overflow = 6;          // "Overflow"
    static constexpr std::int32_t TypeMismatch = 13;     // "Type mismatch"
    static constexpr std::int32_t ObjectNotSet = 91;     // "Object variable or With block ..."
    static constexpr std::int32_t KeyNotUnique = 35602;  // tree view: "Key is not unique ..."

private:
    std::int32_t m_number;
    std::string m_source;
    std::string m_description;
};

}  // namespace telvane
