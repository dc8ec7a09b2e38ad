#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "common/outlook/RaisedError.h"
#include "common/outlook/Variant.h"

namespace telvane {
namespace {

struct ToInt16Case {
    const char* name;
    Variant value;
    std::optional<std::int16_t> expected;  // empty: raises
    std::int32_t error = 0;
};

// Registry values reach the switch readers through this conversion, so what reads as a number
// and what fails decides whether a save hides, shows or stops with an error.
const ToInt16Case kToInt16Cases[] = {
    {"empty", Variant(), 0},
    {"16-bit", Variant(std::int16_t{2}), 2},
    {"32-bit in range", Variant(std::int32_t{-32768}), -32768},
    {"32-bit above range", Variant(std::int32_t{32768}), std::nullopt, RaisedError::Overflow},
    {"text one", Variant("1"), 1},
    {"text with blanks", Variant(" 7 "), 7},
    {"text negative", Variant("-12"), -12},
    {"text hexadecimal", Variant("&H10"), 16},
    {"text half rounds to even", Variant("2.5"), 2},
    {"text out of range", Variant("70000"), std::nullopt, RaisedError::Overflow},
    {"text not a number", Variant("on"), std::nullopt, RaisedError::TypeMismatch},
    {"empty text", Variant(""), std::nullopt, RaisedError::TypeMismatch},
    {"text with trailing words", Variant("1 fax"), std::nullopt, RaisedError::TypeMismatch},
    {"text huge exponent", Variant("1e400"), std::nullopt, RaisedError::Overflow},
    {"text huge number then words", Variant("1e400x"), std::nullopt, RaisedError::TypeMismatch},
    {"boolean true", Variant(true), -1},
    {"double rounds half to even", Variant(3.5), 4},
    {"byte array", Variant(Variant::Bytes{1, 0, 0, 0}), std::nullopt, RaisedError::TypeMismatch},
};

class VariantToInt16 : public testing::TestWithParam<ToInt16Case> {};

TEST_P(VariantToInt16, ConvertsLikeAutomation) {
    const ToInt16Case& c = GetParam();
    if (c.expected) {
        EXPECT_EQ(c.value.ToInt16(), *c.expected) << c.name;
        return;
    }
    try {
        auto got = c.value.ToInt16();
        ADD_FAILURE() << c.name << ": expected error " << c.error << ", got value " << got;
    } catch (const RaisedError& e) {
        EXPECT_EQ(e.Number(), c.error) << c.name << ": " << e.Description();
    }
}

INSTANTIATE_TEST_SUITE_P(Values, VariantToInt16, testing::ValuesIn(kToInt16Cases),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& ch : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             }
                             return name;
                         });

TEST(VariantToText, WritesNumbersAndBooleansAsAutomationDoes) {
    EXPECT_EQ(Variant().ToText(), "");
    EXPECT_EQ(Variant(std::int16_t{-5}).ToText(), "-5");
    EXPECT_EQ(Variant(std::int32_t{1}).ToText(), "1");
    EXPECT_EQ(Variant(true).ToText(), "True");
    EXPECT_EQ(Variant(0.5).ToText(), "0.5");
    EXPECT_THROW(Variant(Variant::Bytes{1}).ToText(), RaisedError);
}

}  // namespace
}  // namespace telvane
