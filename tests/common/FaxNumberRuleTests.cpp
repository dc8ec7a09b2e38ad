#include <gtest/gtest.h>

#include <string>

#include "common/FaxNumberRule.h"

namespace telvane {
namespace {

struct FieldCase {
    std::string text;
    bool hidden;
    std::string afterHide;
    std::string afterShow;
};

// The stored form is read back by both libraries and by people: every case here is a text a
// user or the product can leave in a fax field.
const FieldCase kFieldCases[] = {
    {"", false, "", ""},
    {"0123 456", false, "Fax: 0123 456", "0123 456"},
    {"Fax: 0123", true, "Fax: 0123", "0123"},
    {"fax: 0123", false, "Fax: fax: 0123", "fax: 0123"},
    {"FAX: 0123", false, "Fax: FAX: 0123", "FAX: 0123"},
    {"Fax:0123", false, "Fax: Fax:0123", "Fax:0123"},
    {" Fax: 0123", false, "Fax:  Fax: 0123", " Fax: 0123"},
    {"12", false, "Fax: 12", "12"},
    {"Fax: ", true, "Fax: ", ""},
    {"Fax:", false, "Fax: Fax:", "Fax:"},
    {"Fax: Fax: 0123", true, "Fax: Fax: 0123", "Fax: 0123"},
    {"   ", false, "Fax:    ", "   "},
    {"Fax: +44 (0)20 ☎", true, "Fax: +44 (0)20 ☎", "+44 (0)20 ☎"},
};

class FaxFieldRule : public testing::TestWithParam<FieldCase> {};

TEST_P(FaxFieldRule, HidesAndShowsOneFieldExactlyByTheMarker) {
    const FieldCase& c = GetParam();
    EXPECT_EQ(IsFaxNumberHidden(c.text), c.hidden) << "text: '" << c.text << "'";
    EXPECT_EQ(HideFaxNumber(c.text), c.afterHide) << "hiding '" << c.text << "'";
    EXPECT_EQ(ShowFaxNumber(c.text), c.afterShow) << "showing '" << c.text << "'";
}

TEST_P(FaxFieldRule, HidingTwiceEqualsHidingOnce) {
    const std::string once = HideFaxNumber(GetParam().text);
    EXPECT_EQ(HideFaxNumber(once), once);
}

INSTANTIATE_TEST_SUITE_P(Texts, FaxFieldRule, testing::ValuesIn(kFieldCases));

TEST(FaxFieldRule, HidingThenShowingRestoresEveryShownNumber) {
    for (const FieldCase& c : kFieldCases) {
        if (c.hidden)
            continue;  // a hidden text is not changed by hiding
        EXPECT_EQ(ShowFaxNumber(HideFaxNumber(c.text)), c.text) << "text: '" << c.text << "'";
    }
}

TEST(FaxFieldRule, ShowRemovesOneMarkerPerCall) {
    std::string text = "Fax: Fax: 0123";
    text = ShowFaxNumber(text);
    EXPECT_EQ(text, "Fax: 0123");
    EXPECT_TRUE(IsFaxNumberHidden(text));
    EXPECT_EQ(ShowFaxNumber(text), "0123");
}

}  // namespace
}  // namespace telvane
