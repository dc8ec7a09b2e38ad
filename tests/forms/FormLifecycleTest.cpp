#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "forms/FormInstance.h"
#include "forms/FormsError.h"
#include "platform/memory/ui/HeadlessHost.h"
#include "tests/forms/RaisedNumber.h"
#include "tests/forms/SampleForm.h"

namespace telvane::forms::test {
namespace {

class FormInstanceTest : public ::testing::Test {
protected:
    memory::HeadlessHost host;
    FormInstance<SampleForm> sample{host};
};

TEST_F(FormInstanceTest, TheFirstReferenceLoadsTheFormOnce) {
    EXPECT_FALSE(sample.IsLoaded());
    SampleForm& first = sample.Get();
    SampleForm& again = sample.Get();
    EXPECT_EQ(&first, &again);
    EXPECT_EQ(1, first.loads);
    EXPECT_TRUE(first.IsLoaded());
    EXPECT_EQ(host.LoadedForms(), std::vector<std::string>{"frmSample"});
}

TEST_F(FormInstanceTest, AfterUnloadTheNextReferenceLoadsAFreshForm) {
    sample->SetCaption("changed");
    sample->lstEntries.AddItem("left over");
    ASSERT_TRUE(sample.Unload());
    EXPECT_FALSE(sample.IsLoaded());
    EXPECT_TRUE(host.LoadedForms().empty());

    SampleForm& fresh = sample.Get();
    EXPECT_EQ("Sample & <Test>", fresh.Caption());
    EXPECT_EQ(0, fresh.lstEntries.ListCount());
    EXPECT_EQ(1, fresh.loads);
}

TEST_F(FormInstanceTest, AFormThatUnloadsItselfIsDroppedToo) {
    bool destroyed = false;
    sample->destroyed = &destroyed;
    sample->Unload();
    EXPECT_TRUE(destroyed) << "the unloaded form is still held";
    EXPECT_FALSE(sample.IsLoaded());
}

// The handler and the model go on using the form after Unload returns: ASan reports a use
// after free if the form was not kept alive until they were done.
TEST_F(FormInstanceTest, ACloseButtonThatUnloadsItsOwnFormIsMemorySafe) {
    bool destroyed = false;
    SampleForm& form = sample.Get();
    form.destroyed = &destroyed;
    form.Show();
    ASSERT_TRUE(form.cmdClose.UserClick());
    EXPECT_TRUE(destroyed) << "the form outlived its handler";
    EXPECT_FALSE(sample.IsLoaded());
}

TEST_F(FormInstanceTest, EscOnAFormThatUnloadsItselfIsMemorySafe) {
    bool destroyed = false;
    sample->destroyed = &destroyed;
    sample->Show();
    ASSERT_TRUE(sample->UserPressEscape());
    EXPECT_TRUE(destroyed);
}

TEST_F(FormInstanceTest, AnUnloadCancelledByTheFormKeepsItLoaded) {
    sample->cancelUnload = true;
    EXPECT_FALSE(sample.Unload());
    EXPECT_TRUE(sample.IsLoaded());
    EXPECT_EQ(1, sample->loads);
}

TEST_F(FormInstanceTest, TheCloseBoxUnloadsWithTheControlMenuMode) {
    sample->Show();
    SampleForm& form = sample.Get();
    form.cancelUnload = true;
    EXPECT_FALSE(form.UserClose()) << "a close the form cancelled has no effect";
    EXPECT_TRUE(form.IsLoaded()) << "the form cancelled";
    form.cancelUnload = false;
    ASSERT_TRUE(form.UserClose());
    EXPECT_FALSE(sample.IsLoaded());
}

class FailingLoadForm : public Form {
public:
    explicit FailingLoadForm(UiHost& host) : Form(host, "frmFailing") {}

protected:
    void Form_Load() override { throw RaisedError(91, "frmFailing", "Object variable not set"); }
};

TEST(FormLoadTest, AFormWhoseLoadFailsIsNotLeftLoaded) {
    memory::HeadlessHost host;
    FormInstance<FailingLoadForm> failing(host);
    EXPECT_EQ(91, RaisedNumber([&] { failing.Get(); }));
    EXPECT_FALSE(failing.IsLoaded());
    EXPECT_TRUE(host.LoadedForms().empty());
}

class KeyboardTest : public ::testing::Test {
protected:
    KeyboardTest() { form.Show(); }

    memory::HeadlessHost host;
    SampleForm form{host};
};

TEST_F(KeyboardTest, EscPressesTheCancelButton) {
    ASSERT_TRUE(form.UserPressEscape());
    EXPECT_EQ("closed", form.events.back());
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_EQ(form.unloadModes, std::vector<UnloadMode>{UnloadMode::Code});
}

TEST_F(KeyboardTest, EscDoesNothingWithoutACancelButton) {
    form.cmdClose.SetCancel(false);
    EXPECT_FALSE(form.UserPressEscape());
    EXPECT_TRUE(form.IsLoaded());
    EXPECT_TRUE(host.RefusedInput().empty()) << "nothing was refused, there was nothing to do";
}

TEST_F(KeyboardTest, OnlyOneButtonIsTheCancelButton) {
    form.cmdSelect(0).SetCancel(true);
    EXPECT_FALSE(form.cmdClose.Cancel());
    EXPECT_EQ(&form.cmdSelect(0), form.CancelButton());
    form.UserPressEscape();
    EXPECT_EQ("select 0", form.events.back());
}

TEST_F(KeyboardTest, EnterPressesTheFocusedButtonOrElseTheDefault) {
    form.cmdSelect(1).SetDefault(true);
    form.tvFolders.SetFocus();
    ASSERT_TRUE(form.UserPressEnter());
    EXPECT_EQ("select 1", form.events.back());
    form.cmdSelect(0).SetFocus();
    ASSERT_TRUE(form.UserPressEnter());
    EXPECT_EQ("select 0", form.events.back());
}

TEST_F(KeyboardTest, TheFirstControlInTabOrderHasTheFocusWhenShown) {
    EXPECT_EQ(&form.tvFolders, form.ActiveControl())
        << "labels take no focus; the tree follows the first label";
}

TEST_F(KeyboardTest, TabFollowsTheTabOrderAndSkipsWhatCannotTakeTheFocus) {
    form.chkOption.SetEnabled(false);
    std::vector<std::string> visited;
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(form.UserPressTab());
        visited.push_back(form.ActiveControl()->Name());
    }
    EXPECT_EQ(visited, (std::vector<std::string>{"lstEntries", "cmdSelect(1)", "cmdSelect(0)",
                                                 "cmdClose", "picList"}));
    ASSERT_TRUE(form.UserPressTab(true));
    EXPECT_EQ("cmdClose", form.ActiveControl()->Name());
}

TEST_F(KeyboardTest, ALabelsAccessKeyMovesTheFocusToTheControlAfterIt) {
    ASSERT_TRUE(form.UserPressAccessKey('e'));
    EXPECT_EQ(&form.lstEntries, form.ActiveControl());
    ASSERT_TRUE(form.UserPressAccessKey('F'));
    EXPECT_EQ(&form.tvFolders, form.ActiveControl());
    EXPECT_FALSE(form.UserPressAccessKey('q')) << "no caption has q";
}

TEST_F(KeyboardTest, AButtonsAccessKeyPressesIt) {
    ASSERT_TRUE(form.UserPressAccessKey('h'));
    EXPECT_EQ("select 0", form.events.back());
    EXPECT_EQ(&form.cmdSelect(0), form.ActiveControl());
}

TEST(TabOrderTest, SettingTabIndexMovesTheControlAndShiftsTheOthers) {
    memory::HeadlessHost host;
    SampleForm form(host);
    EXPECT_EQ(0, form.lblCaption(0).TabIndex());
    EXPECT_EQ(1, form.tvFolders.TabIndex());
    form.cmdClose.SetTabIndex(0);
    EXPECT_EQ(0, form.cmdClose.TabIndex());
    EXPECT_EQ(1, form.lblCaption(0).TabIndex());
    EXPECT_EQ(2, form.tvFolders.TabIndex());
    EXPECT_EQ(-1, form.lnSeparator.TabIndex()) << "lines have no tab index";
    EXPECT_EQ(-1, form.imgLogo.TabIndex()) << "images have no tab index";
}

TEST(FocusTest, CodeCannotFocusAControlThatCannotTakeIt) {
    memory::HeadlessHost host;
    SampleForm form(host);
    form.Show();
    EXPECT_EQ(FormsError::InvalidArgument, RaisedNumber([&] { form.lblCaption(0).SetFocus(); }));
    form.cmdClose.SetVisible(false);
    EXPECT_EQ(FormsError::InvalidArgument, RaisedNumber([&] { form.cmdClose.SetFocus(); }));
}

TEST(ControlArrayTest, ElementsAreNamedWithTheirIndexAndFoundByIt) {
    memory::HeadlessHost host;
    SampleForm form(host);
    EXPECT_EQ("cmdSelect(1)", form.cmdSelect(1).Name());
    EXPECT_EQ("cmdSelect", form.cmdSelect(1).BaseName());
    EXPECT_EQ(1, form.cmdSelect(1).Index());
    EXPECT_EQ(&form.cmdSelect(0), form.FindControl("cmdSelect(0)"));
    EXPECT_EQ(2, form.cmdSelect.Count());
    EXPECT_EQ(FormsError::ArrayElementMissing, RaisedNumber([&] { form.cmdSelect(2); }));
    EXPECT_EQ(FormsError::AlreadyLoaded,
              RaisedNumber([&] { form.cmdSelect.Load(1, form.frmeControl, Bounds{}, "again"); }));
}

TEST(FormPlacementTest, ShowingCentresTheWindowAsItsStartUpPositionAsks) {
    memory::HeadlessHost host;
    SampleForm form(host);
    form.Show();
    const Bounds window = form.WindowBounds();
    EXPECT_EQ(6000 + 2 * 3 * 15, window.width) << "client plus a dialog frame";
    EXPECT_EQ(3600 + 2 * 3 * 15 + 19 * 15, window.height) << "client, frame and title bar";
    EXPECT_EQ((host.ScreenWidth() - window.width) / 2, window.left);
    EXPECT_EQ((host.ScreenHeight() - window.height) / 2, window.top);
}

TEST(FormPlacementTest, DesignPropertiesCannotChangeOnceLoaded) {
    memory::HeadlessHost host;
    SampleForm form(host);
    form.Load();
    EXPECT_EQ(FormsError::ReadOnlyAtRunTime,
              RaisedNumber([&] { form.SetBorderStyle(FormBorderStyle::Sizable); }));
}

}  // namespace
}  // namespace telvane::forms::test
