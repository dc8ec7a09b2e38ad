#include <string>

#include <gtest/gtest.h>

#include "forms/ListCollation.h"

namespace telvane::forms::test {
namespace {

struct OrderCase {
    const char* first;
    const char* second;
    int expected;  // sign of Compare(first, second)
};

class ListCollationTest : public ::testing::TestWithParam<OrderCase> {};

TEST_P(ListCollationTest, EntriesCompareAsInASortedWindowsList) {
    const auto& c = GetParam();
    EXPECT_EQ(c.expected, ListCollation::Compare(c.first, c.second))
        << '"' << c.first << "\" vs \"" << c.second << '"';
    EXPECT_EQ(-c.expected, ListCollation::Compare(c.second, c.first))
        << '"' << c.second << "\" vs \"" << c.first << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ListCollationTest,
    ::testing::Values(OrderCase{"abc", "ABC", 0},               // case ignored
                      OrderCase{"apple", "Banana", -1},         // not ASCII order
                      OrderCase{"Zoe", "adam", 1},              //
                      OrderCase{"ab", "abc", -1},               // prefix first
                      OrderCase{"", "a", -1},                   // empty first
                      OrderCase{"Smith, Ann", "Smithson", -1},  // punctuation before letters
                      OrderCase{"Smith Ann", "Smithson", -1},   // blank before letters
                      OrderCase{"9 Lives", "Able", -1},         // digits before letters
                      OrderCase{"_under", "0zero", -1},         // symbols before digits
                      OrderCase{"coop", "co-op", -1},           // hyphen only breaks ties
                      OrderCase{"co-op", "copper", -1},         //
                      OrderCase{"O'Brien", "Obrien", 1},        // apostrophe only breaks ties
                      OrderCase{"O'Brien", "Ogden", -1},        //
                      OrderCase{"\xC3\xA9mile", "Emile", 1},    // accent after the plain letter
                      OrderCase{"\xC3\xA9mile", "Emilie", -1},  // ... but only to break ties
                      OrderCase{"\xC3\x89MILE", "\xC3\xA9mile", 0},  // accented case ignored
                      OrderCase{"M\xC3\xBCller", "Mueller", 1},      // ü sorts as u
                      OrderCase{"Stra\xC3\x9F"
                                "e",
                                "Strasse", 1}));  // ß as ss, after it

TEST(ListCollationKeyTest, KeysOrderLikeCompare) {
    const std::string a = ListCollation::SortKey("Miller");
    const std::string b = ListCollation::SortKey("miller");
    const std::string c = ListCollation::SortKey("Mills");
    EXPECT_EQ(a, b);
    EXPECT_LT(a, c);
}

}  // namespace
}  // namespace telvane::forms::test
