#include <gtest/gtest.h>

#include "forms/FormsError.h"
#include "platform/memory/ui/HeadlessHost.h"
#include "tests/forms/RaisedNumber.h"
#include "tests/forms/SampleForm.h"

namespace telvane::forms::test {
namespace {

class CheckBoxTest : public ::testing::Test {
protected:
    CheckBoxTest() { form.Show(); }

    memory::HeadlessHost host;
    SampleForm form{host};
    CheckBox& box = form.chkOption;
};

TEST_F(CheckBoxTest, EveryValueChangeByCodeRaisesClickWithTheNewValue) {
    box.SetValue(1);
    box.SetValue(2);
    box.SetValue(0);
    EXPECT_EQ(form.events,
              (std::vector<std::string>{"load", "chkOption=1", "chkOption=2", "chkOption=0"}));
}

TEST_F(CheckBoxTest, SettingTheValueItAlreadyHasRaisesNoClick) {
    box.SetValue(1);
    box.SetValue(1);
    box.SetValue(0);
    box.SetValue(0);
    EXPECT_EQ(form.events, (std::vector<std::string>{"load", "chkOption=1", "chkOption=0"}));
}

TEST_F(CheckBoxTest, ValuesOutsideZeroToTwoAreRefusedAndTheStateKept) {
    box.SetValue(2);
    form.events.clear();
    for (int bad : {-1, 3, 4, 255, -32768, 32767}) {
        EXPECT_EQ(FormsError::InvalidPropertyValue, RaisedNumber([&] { box.SetValue(bad); }))
            << "value " << bad;
        EXPECT_EQ(2, box.Value()) << "after trying " << bad;
    }
    EXPECT_TRUE(form.events.empty())
        << "a refused value raised Click " << form.events.size() << " times";
}

TEST_F(CheckBoxTest, TheRefusalCarriesTheStandardTextAndTheControlName) {
    try {
        box.SetValue(7);
        FAIL() << "value 7 was accepted";
    } catch (const RaisedError& error) {
        EXPECT_EQ("Invalid property value", error.Description());
        EXPECT_EQ("chkOption", error.Source());
    }
}

struct UserClickCase {
    int before;
    int after;
};

class CheckBoxUserClickTest : public CheckBoxTest,
                              public ::testing::WithParamInterface<UserClickCase> {};

TEST_P(CheckBoxUserClickTest, AUserClickTogglesBetweenUncheckedAndChecked) {
    box.SetValue(GetParam().before);
    form.events.clear();
    ASSERT_TRUE(box.UserClick());
    EXPECT_EQ(GetParam().after, box.Value());
    EXPECT_EQ(form.events,
              std::vector<std::string>{"chkOption=" + std::to_string(GetParam().after)});
    EXPECT_TRUE(box.HasFocus());
}

INSTANTIATE_TEST_SUITE_P(Values, CheckBoxUserClickTest,
                         ::testing::Values(UserClickCase{0, 1}, UserClickCase{1, 0},
                                           UserClickCase{2, 0}));

TEST_F(CheckBoxTest, TheAccessKeyClicksTheBox) {
    ASSERT_TRUE(form.UserPressAccessKey('N'));
    EXPECT_EQ(1, box.Value());
    EXPECT_TRUE(box.HasFocus());
}

TEST_F(CheckBoxTest, AClickOnADisabledBoxIsRefusedAndRecorded) {
    box.SetEnabled(false);
    EXPECT_FALSE(box.UserClick());
    EXPECT_EQ(0, box.Value());
    EXPECT_EQ(host.RefusedInput(), std::vector<std::string>{"frmSample.chkOption: click"});
}

TEST_F(CheckBoxTest, CodeStillSetsTheValueOfADisabledBox) {
    box.SetEnabled(false);
    box.SetValue(1);
    EXPECT_EQ(1, box.Value());
    EXPECT_EQ(form.events.back(), "chkOption=1");
}

}  // namespace
}  // namespace telvane::forms::test
