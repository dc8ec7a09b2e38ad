#include <stdexcept>
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

// A manager window whose buttons open a details window modally over it and run a long
// operation that lets messages run with its frame disabled, as the product's handlers do.
class ManagerForm : public SampleForm {
public:
    ManagerForm(UiHost& host, FormInstance<SampleForm>& details)
        : SampleForm(host, "frmManager"), m_details(details) {
        cmdSelect(1).OnClick([this] { ShowDetails(); });
        cmdSelect(0).OnClick([this] { LongOperation(); });
    }

    std::vector<std::string> log;

private:
    void ShowDetails() {
        m_details->SetCaption("Details");
        log.push_back("details shown");
        m_details->ShowModal(this);
        log.push_back("details closed");
    }

    void LongOperation() {
        SetMousePointer(MousePointer::Hourglass);
        frmeControl.SetEnabled(false);
        Host().DoEvents();
        frmeControl.SetEnabled(true);
        SetMousePointer(MousePointer::Default);
        log.push_back("operation done");
    }

    FormInstance<SampleForm>& m_details;
};

class HeadlessHostTest : public ::testing::Test {
protected:
    memory::HeadlessHost host;
    FormInstance<SampleForm> details{host};
    FormInstance<ManagerForm> manager{
        [this] { return std::make_shared<ManagerForm>(host, details); }};
};

TEST_F(HeadlessHostTest, AModalShowRunsItsScriptAndReturnsWhenTheFormIsUnloaded) {
    bool sawItShown = false;
    host.WhenShownModally<ManagerForm>("frmManager", [&](ManagerForm& form) {
        sawItShown = form.Visible() && form.IsModal();
        form.UserPressEscape();
    });
    manager->ShowModal();
    EXPECT_TRUE(sawItShown);
    EXPECT_FALSE(manager.IsLoaded());
    EXPECT_EQ(0u, host.PendingScripts());
    ASSERT_EQ(1u, host.ModalShows().size());
    EXPECT_EQ("", host.ModalShows()[0].owner);
    EXPECT_TRUE(host.ModalStack().empty());
}

TEST_F(HeadlessHostTest, ModalFormsNestAndTheOwnerTakesNoInputMeanwhile) {
    host.WhenShownModally<ManagerForm>("frmManager", [&](ManagerForm& form) {
        ASSERT_TRUE(form.cmdSelect(1).UserClick());
        form.UserPressEscape();
    });
    host.WhenShownModally<SampleForm>("frmSample", [&](SampleForm& form) {
        ManagerForm& owner = *manager;
        EXPECT_FALSE(owner.cmdClose.UserClick()) << "the owner took a click under a modal form";
        EXPECT_FALSE(owner.UserClose());
        EXPECT_EQ("Details", form.Caption());
        EXPECT_EQ(&owner, form.Owner());
        ASSERT_TRUE(form.cmdClose.UserClick());
    });

    manager->ShowModal();

    ASSERT_EQ(2u, host.ModalShows().size());
    EXPECT_EQ("frmSample", host.ModalShows()[1].form);
    EXPECT_EQ("frmManager", host.ModalShows()[1].owner);
    EXPECT_EQ(2, host.ModalShows()[1].depth);
    EXPECT_EQ(host.RefusedInput(),
              (std::vector<std::string>{"frmManager.cmdClose: click", "frmManager: close box"}));
    EXPECT_FALSE(details.IsLoaded());
    EXPECT_FALSE(manager.IsLoaded());
}

TEST_F(HeadlessHostTest, TheOwnersHandlerGoesOnOnlyAfterTheNestedFormClosed) {
    std::vector<std::string> order;
    host.WhenShownModally<ManagerForm>("frmManager", [&](ManagerForm& form) {
        form.cmdSelect(1).UserClick();
        order = form.log;
        form.UserClose();
    });
    host.WhenShownModally<SampleForm>("frmSample", [&](SampleForm& form) {
        order = manager->log;
        EXPECT_EQ(order, std::vector<std::string>{"details shown"});
        form.UserPressEscape();
    });
    manager->ShowModal();
    EXPECT_EQ(order, (std::vector<std::string>{"details shown", "details closed"}));
}

TEST_F(HeadlessHostTest, AModalShowWithoutAScriptFailsInsteadOfWaiting) {
    EXPECT_THROW(manager->ShowModal(), std::logic_error);
    EXPECT_FALSE(manager->Visible());
    EXPECT_TRUE(host.ModalStack().empty());
}

TEST_F(HeadlessHostTest, AScriptThatLeavesTheFormOpenFails) {
    host.WhenShownModally("frmManager", [](Form&) {});
    try {
        manager->ShowModal();
        FAIL() << "the modal show returned with its form still open";
    } catch (const std::logic_error& error) {
        EXPECT_NE(std::string(error.what()).find("frmManager"), std::string::npos) << error.what();
    }
    EXPECT_TRUE(host.ModalStack().empty());
    EXPECT_FALSE(manager->IsModal());
}

TEST_F(HeadlessHostTest, HidingAModalFormEndsItsShow) {
    host.WhenShownModally("frmManager", [](Form& form) { form.Hide(); });
    manager->ShowModal();
    EXPECT_TRUE(manager.IsLoaded());
    EXPECT_FALSE(manager->Visible());
}

TEST_F(HeadlessHostTest, AFormAlreadyShownCannotBeShownModally) {
    manager->Show();
    EXPECT_EQ(FormsError::AlreadyShown, RaisedNumber([&] { manager->ShowModal(); }));
}

TEST_F(HeadlessHostTest, ScriptsForOneFormRunInTheOrderTheyWereRegistered) {
    std::vector<int> runs;
    for (int i = 1; i <= 2; ++i) {
        host.WhenShownModally("frmSample", [&runs, i](Form& form) {
            runs.push_back(i);
            form.Unload();
        });
    }
    details->ShowModal();
    details->ShowModal();
    EXPECT_EQ(runs, (std::vector<int>{1, 2}));
}

TEST_F(HeadlessHostTest, InputArrivingWhileMessagesRunIsRefusedByTheDisabledFrame) {
    host.WhenShownModally<ManagerForm>("frmManager", [&](ManagerForm& form) {
        host.QueueInput("click Close", [&] { return form.cmdClose.UserClick(); });
        host.QueueInput("tick option", [&] { return form.chkOption.UserClick(); });
        host.QueueInput("hourglass shown",
                        [&] { return form.MousePointer() == MousePointer::Hourglass; });
        ASSERT_TRUE(form.cmdSelect(0).UserClick());
        EXPECT_EQ(form.log, std::vector<std::string>{"operation done"});
        EXPECT_TRUE(form.IsLoaded()) << "the refused Close click closed the window";
        EXPECT_EQ(0, form.chkOption.Value());
        form.UserPressEscape();
    });
    manager->ShowModal();

    EXPECT_EQ(1, host.DoEventsCount());
    ASSERT_EQ(3u, host.InputLog().size());
    EXPECT_FALSE(host.InputLog()[0].accepted) << host.InputLog()[0].description;
    EXPECT_FALSE(host.InputLog()[1].accepted) << host.InputLog()[1].description;
    EXPECT_TRUE(host.InputLog()[2].accepted) << host.InputLog()[2].description;
    EXPECT_EQ(host.RefusedInput(), (std::vector<std::string>{"frmManager.cmdClose: click",
                                                             "frmManager.chkOption: click"}));
}

TEST_F(HeadlessHostTest, InputQueuedOutsideALongOperationIsTakenAtTheNextDoEvents) {
    SampleForm& form = *details;
    form.Show();
    host.QueueInput("tick", [&] { return form.chkOption.UserClick(); });
    EXPECT_EQ(0, form.chkOption.Value()) << "input waits for messages to run";
    host.DoEvents();
    EXPECT_EQ(1, form.chkOption.Value());
    EXPECT_EQ(0u, host.PendingInput());
    EXPECT_TRUE(host.InputLog()[0].accepted);
}

TEST_F(HeadlessHostTest, TheDoEventsObserverSeesEachPass) {
    int seen = 0;
    host.OnDoEvents([&] { ++seen; });
    host.DoEvents();
    host.DoEvents();
    EXPECT_EQ(2, seen);
    EXPECT_EQ(2, host.DoEventsCount());
}

TEST_F(HeadlessHostTest, MessagesAreRecordedWithTheirOwnerAndDismissedAtOnce) {
    host.ShowMessage(&*manager, "The contact \"Ann\" could not be saved.", "Telvane");
    host.ShowMessage(nullptr, "Done", "Telvane");
    ASSERT_EQ(2u, host.Messages().size());
    EXPECT_EQ("frmManager", host.Messages()[0].owner);
    EXPECT_EQ("The contact \"Ann\" could not be saved.", host.Messages()[0].text);
    EXPECT_EQ("Telvane", host.Messages()[0].title);
    EXPECT_EQ("", host.Messages()[1].owner);
}

TEST_F(HeadlessHostTest, AScriptOfTheWrongFormTypeFails) {
    host.WhenShownModally<ManagerForm>("frmSample", [](ManagerForm&) {});
    EXPECT_THROW(details->ShowModal(), std::logic_error);
}

}  // namespace
}  // namespace telvane::forms::test
