#include <gtest/gtest.h>

#include "forms/FormsError.h"
#include "platform/memory/ui/HeadlessHost.h"
#include "tests/forms/RaisedNumber.h"
#include "tests/forms/SampleForm.h"

namespace telvane::forms::test {
namespace {

struct RangeCase {
    int max;
    int value;
    bool accepted;
};

class ProgressBarRangeTest : public ::testing::TestWithParam<RangeCase> {
protected:
    memory::HeadlessHost host;
    SampleForm form{host};
    ProgressBar& bar = form.pbWait;
};

TEST_P(ProgressBarRangeTest, AValueOutsideMinToMaxIsRefusedAndTheOldValueKept) {
    const auto& c = GetParam();
    bar.SetMax(c.max);
    const int before = bar.Value();
    const int raised = RaisedNumber([&] { bar.SetValue(c.value); });
    if (c.accepted) {
        EXPECT_EQ(0, raised) << "value " << c.value << " of 0.." << c.max;
        EXPECT_EQ(c.value, bar.Value());
    } else {
        EXPECT_EQ(FormsError::InvalidPropertyValue, raised)
            << "value " << c.value << " of 0.." << c.max;
        EXPECT_EQ(before, bar.Value());
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ProgressBarRangeTest,
                         ::testing::Values(RangeCase{100, 0, true}, RangeCase{100, 100, true},
                                           RangeCase{100, 101, false}, RangeCase{100, -1, false},
                                           RangeCase{1, 1, true}, RangeCase{1, 2, false},
                                           RangeCase{40000, 39999, true}));

TEST(ProgressBarTest, StartsAtZeroOfZeroToHundred) {
    memory::HeadlessHost host;
    SampleForm form(host);
    EXPECT_EQ(0, form.pbWait.Min());
    EXPECT_EQ(100, form.pbWait.Max());
    EXPECT_EQ(0, form.pbWait.Value());
}

TEST(ProgressBarTest, MaxMustStayAboveMin) {
    memory::HeadlessHost host;
    SampleForm form(host);
    EXPECT_EQ(FormsError::InvalidPropertyValue, RaisedNumber([&] { form.pbWait.SetMax(0); }));
    EXPECT_EQ(100, form.pbWait.Max());
    EXPECT_EQ(FormsError::InvalidPropertyValue, RaisedNumber([&] { form.pbWait.SetMin(100); }));
}

TEST(ProgressBarTest, NarrowingTheRangePullsTheValueInside) {
    memory::HeadlessHost host;
    SampleForm form(host);
    form.pbWait.SetValue(80);
    form.pbWait.SetMax(10);
    EXPECT_EQ(10, form.pbWait.Value());
    EXPECT_DOUBLE_EQ(1.0, form.pbWait.Fraction());
}

}  // namespace
}  // namespace telvane::forms::test
