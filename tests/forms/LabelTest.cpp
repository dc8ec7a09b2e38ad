#include <gtest/gtest.h>

#include "forms/Mnemonic.h"
#include "forms/TextMetrics.h"
#include "platform/memory/ui/HeadlessHost.h"
#include "tests/forms/Printers.h"
#include "tests/forms/SampleForm.h"

namespace telvane::forms::test {
namespace {

class LabelTest : public ::testing::Test {
protected:
    memory::HeadlessHost host;
    SampleForm form{host};
    Label& label = form.lblCaption(1);
};

TEST_F(LabelTest, AnAutoSizedLabelTakesTheWidthOfItsCaptionInOneLine) {
    label.SetAutoSize(true);
    const int shortWidth = label.Width();
    label.SetCaption("Fax Contacts for Contacts in the Mailbox");
    EXPECT_GT(label.Width(), shortWidth);
    EXPECT_EQ(TextMetrics::LineWidthTwips("Fax Contacts for Contacts in the Mailbox", label.Font()),
              label.Width());
    EXPECT_EQ(195, label.Height()) << "one line of Tahoma 8.25";
    EXPECT_EQ(3000, label.Left()) << "sizing keeps the position";
}

TEST_F(LabelTest, BoldTextIsWider) {
    label.SetCaption("Telvane     ");
    label.SetAutoSize(true);
    const int regular = label.Width();
    label.SetFontBold(true);
    EXPECT_GT(label.Width(), regular);
}

TEST_F(LabelTest, AnAutoSizedWrappingLabelKeepsItsWidthAndGrowsDown) {
    label.SetWordWrap(true);
    label.SetAutoSize(true);
    label.SetCaption(
        "Outlook will show both Fax Numbers and Email addresses in the address dialog when "
        "addressing emails.");
    EXPECT_EQ(2700, label.Width());
    EXPECT_GT(label.Height(), 195);
    EXPECT_EQ(0, label.Height() % 195) << "whole lines; height " << label.Height();
}

TEST_F(LabelTest, WithoutAutoSizeTheDesignSizeStays) {
    label.SetCaption("A much longer caption than the label was designed for");
    EXPECT_EQ((Bounds{3000, 120, 2700, 195}), label.GetBounds());
}

TEST_F(LabelTest, TheAccessKeyMarkerIsNotShown) {
    EXPECT_EQ("Entries", label.DisplayText());
    label.SetUseMnemonic(false);
    EXPECT_EQ("&Entries", label.DisplayText());
    EXPECT_EQ("", label.AccessKeyCaption());
}

struct MnemonicCase {
    const char* caption;
    const char* display;
    char key;
    int underline;  // -1: none
};

class MnemonicTest : public ::testing::TestWithParam<MnemonicCase> {};

TEST_P(MnemonicTest, CaptionsShowTheirTextAndAccessKey) {
    const auto& c = GetParam();
    const Mnemonic parsed = Mnemonic::Parse(c.caption);
    EXPECT_EQ(c.display, parsed.DisplayText()) << c.caption;
    EXPECT_EQ(c.key, parsed.Key()) << c.caption;
    EXPECT_EQ(c.underline, parsed.UnderlineAt() ? static_cast<int>(*parsed.UnderlineAt()) : -1)
        << c.caption;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MnemonicTest,
    ::testing::Values(MnemonicCase{"&Update", "Update", 'u', 0},
                      MnemonicCase{"Instructions &?", "Instructions ?", '?', 13},
                      MnemonicCase{"Fax &Contacts for", "Fax Contacts for", 'c', 4},
                      MnemonicCase{"Close", "Close", '\0', -1},
                      MnemonicCase{"Salt && Pepper", "Salt & Pepper", '\0', -1},
                      MnemonicCase{"Trailing&", "Trailing", '\0', -1}));

TEST(TextMetricsTest, WrappingBreaksBetweenWordsAndAtLineBreaks) {
    const Font font;
    const auto lines = TextMetrics::WrapLines("one two three\nfour", font, 30 * 15);
    ASSERT_EQ(4u, lines.size()) << "lines: " << ::testing::PrintToString(lines);
    EXPECT_EQ("one", lines[0]);
    EXPECT_EQ("four", lines[3]);
    EXPECT_EQ(2u, TextMetrics::WrapLines("a\r\nb", font, 0).size());
}

}  // namespace
}  // namespace telvane::forms::test
