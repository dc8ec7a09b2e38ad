#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "platform/memory/ui/HeadlessHost.h"
#include "tests/forms/Printers.h"
#include "tests/forms/SampleForm.h"

namespace telvane::forms::test {
namespace {

// Something that keeps a person from using a control, and how to take it away again.
struct Obstacle {
    const char* name;
    std::function<void(SampleForm&, Control&)> apply;
    std::function<void(SampleForm&, Control&)> remove;
};

// A user action on one control of the sample form, and the effect it must have when taken.
struct Action {
    const char* name;
    std::function<Control&(SampleForm&)> control;
    std::function<bool(SampleForm&)> perform;
    std::function<bool(SampleForm&)> tookEffect;
};

std::string ToString(const Obstacle& o) {
    return o.name;
}
std::string ToString(const Action& a) {
    return a.name;
}

const Obstacle kObstacles[] = {
    {"FrameDisabled", [](SampleForm& f, Control&) { f.frmeControl.SetEnabled(false); },
     [](SampleForm& f, Control&) { f.frmeControl.SetEnabled(true); }},
    {"FrameHidden", [](SampleForm& f, Control&) { f.frmeControl.SetVisible(false); },
     [](SampleForm& f, Control&) { f.frmeControl.SetVisible(true); }},
    {"ControlDisabled", [](SampleForm&, Control& c) { c.SetEnabled(false); },
     [](SampleForm&, Control& c) { c.SetEnabled(true); }},
    {"ControlHidden", [](SampleForm&, Control& c) { c.SetVisible(false); },
     [](SampleForm&, Control& c) { c.SetVisible(true); }},
    {"FormDisabled", [](SampleForm& f, Control&) { f.SetEnabled(false); },
     [](SampleForm& f, Control&) { f.SetEnabled(true); }},
    {"FormHidden", [](SampleForm& f, Control&) { f.Hide(); },
     [](SampleForm& f, Control&) { f.Show(); }},
};

const Action kActions[] = {
    {"ButtonClick", [](SampleForm& f) -> Control& { return f.cmdSelect(0); },
     [](SampleForm& f) { return f.cmdSelect(0).UserClick(); },
     [](SampleForm& f) { return f.events.back() == "select 0"; }},
    {"CheckBoxClick", [](SampleForm& f) -> Control& { return f.chkOption; },
     [](SampleForm& f) { return f.chkOption.UserClick(); },
     [](SampleForm& f) { return f.chkOption.Value() == 1; }},
    {"NodeClick", [](SampleForm& f) -> Control& { return f.tvFolders; },
     [](SampleForm& f) { return f.tvFolders.UserClickNode(f.tvFolders.Nodes().Item(1)); },
     [](SampleForm& f) { return f.events.back() == "node store"; }},
    {"ListTick", [](SampleForm& f) -> Control& { return f.lstEntries; },
     [](SampleForm& f) { return f.lstEntries.UserTick(0); },
     [](SampleForm& f) { return f.lstEntries.Selected(0) && f.lstEntries.ListIndex() == 0; }},
    {"EscapeKey", [](SampleForm& f) -> Control& { return f.cmdClose; },
     [](SampleForm& f) { return f.UserPressEscape(); },
     [](SampleForm& f) { return !f.IsLoaded(); }},
};

class UsabilityTest : public ::testing::TestWithParam<std::tuple<Obstacle, Action>> {
protected:
    UsabilityTest() {
        form.tvFolders.Nodes().Add("store", "Store");
        form.lstEntries.AddItem("Ann");
        form.Show();
    }

    memory::HeadlessHost host;
    SampleForm form{host};
};

TEST_P(UsabilityTest, InputIsRefusedWhileTheControlOrAContainerCannotTakeIt) {
    const auto& [obstacle, action] = GetParam();
    Control& control = action.control(form);
    obstacle.apply(form, control);

    EXPECT_FALSE(action.perform(form)) << action.name << " was taken with " << obstacle.name;
    EXPECT_FALSE(action.tookEffect(form)) << action.name << " changed the form";
    ASSERT_EQ(1u, host.RefusedInput().size()) << "refusals recorded";

    obstacle.remove(form, control);
    EXPECT_TRUE(action.perform(form))
        << action.name << " refused after " << obstacle.name
        << " was taken away; refusals: " << host.RefusedInput().back();
    EXPECT_TRUE(action.tookEffect(form)) << action.name << " had no effect";
}

INSTANTIATE_TEST_SUITE_P(AllObstaclesAndActions, UsabilityTest,
                         ::testing::Combine(::testing::ValuesIn(kObstacles),
                                            ::testing::ValuesIn(kActions)),
                         [](const ::testing::TestParamInfo<std::tuple<Obstacle, Action>>& info) {
                             return ToString(std::get<0>(info.param)) + "_" +
                                    ToString(std::get<1>(info.param));
                         });

TEST(FrameTest, DisablingAFrameLeavesItsControlsOwnEnabledAsItWas) {
    memory::HeadlessHost host;
    SampleForm form(host);
    form.Show();
    form.frmeControl.SetEnabled(false);
    EXPECT_TRUE(form.cmdClose.Enabled());
    EXPECT_FALSE(form.cmdClose.IsUsable());
    EXPECT_TRUE(form.imgLogo.IsUsable()) << "a control outside the frame is not affected";
}

TEST(FrameTest, ControlsInsideAFrameArePlacedRelativeToIt) {
    memory::HeadlessHost host;
    SampleForm form(host);
    form.frmeControl.Move({300, 150, 6000, 3600});
    const Bounds onForm = form.cmdClose.FormBounds();
    EXPECT_EQ(300 + 4920, onForm.left);
    EXPECT_EQ(150 + 3150, onForm.top);
    EXPECT_EQ(4920, form.cmdClose.Left()) << "the control's own position is unchanged";
}

}  // namespace
}  // namespace telvane::forms::test
