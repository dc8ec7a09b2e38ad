#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "apps/outlookhost/ComApartment.h"
#include "apps/outlookhost/HostContext.h"
#include "apps/outlookhost/ServerApplication.h"
#include "common/outlook/ContactItem.h"
#include "common/outlook/Explorers.h"
#include "common/outlook/Folders.h"
#include "common/outlook/Inspector.h"
#include "common/outlook/Inspectors.h"
#include "common/outlook/Items.h"
#include "common/outlook/MAPIFolder.h"
#include "common/outlook/NameSpace.h"
#include "common/outlook/RaisedError.h"
#include "platform/memory/outlook/MailClient.h"
#include "platform/win32/outlook/OutlookBridge.h"
#include "tests/support/SampleStore.h"

namespace telvane::tests {
namespace {

using ::testing::ElementsAre;

// The bridge on the host's COM objects on the in-memory mail client: what the product sees
// over COM is what the in-memory client answers.
class HostRoundTrip : public ::testing::Test {
protected:
    void SetUp() override {
        contacts.emplace(testsupport::SampleStore::Small(client));
        explorer.emplace(client.OpenExplorer());
        auto server = win32::com::MakeComObject<outlookhost::ServerApplication>(
            context, client.Application());
        app = win32::WrapApplication(static_cast<IDispatch*>(server.Get()));
        ASSERT_TRUE(app) << "the host answers _Application";
    }
    void TearDown() override {
        app.reset();
        EXPECT_EQ(context->liveObjects, 0) << "server objects the bridge did not release";
        EXPECT_EQ(client.LiveSubscriptions(), 0);
    }
    std::shared_ptr<outlook::Items> ContactItems() {
        return app->GetNamespace("MAPI")->Folders()->Item(1)->Folders()->Item(2)->Items();
    }

    outlookhost::ComApartment apartment;
    std::shared_ptr<outlookhost::HostContext> context =
        std::make_shared<outlookhost::HostContext>();
    memory::MailClient client;
    std::optional<memory::FolderHandle> contacts;
    std::optional<memory::ExplorerHandle> explorer;
    std::shared_ptr<outlook::Application> app;
};

TEST_F(HostRoundTrip, TheObjectModelReadsWhatTheMailClientHolds) {
    auto store = app->GetNamespace("MAPI")->Folders()->Item(1);
    EXPECT_EQ(store->Name(), "Personal Folders");
    auto folder = store->Folders()->Item(2);
    EXPECT_EQ(folder->Name(), "Contacts");
    EXPECT_EQ(folder->EntryID(), contacts->EntryID());
    EXPECT_EQ(folder->DefaultItemType(), outlook::olContactItem);
    auto items = folder->Items();
    ASSERT_EQ(items->Count(), 4);
    std::vector<std::string> names;
    for (std::int32_t i = 1; i <= items->Count(); ++i) {
        EXPECT_EQ(items->Item(i)->GetProperty("Class"), Variant(std::int32_t{outlook::olContact}));
        names.push_back(items->Item(i)->AsContactItem()->FileAs());
    }
    EXPECT_THAT(names, ElementsAre("Ann Archer", "Bob Baker", "Cy Cole", "Dee Dorsey"));
    EXPECT_EQ(app->Explorers()->Count(), 1);
    EXPECT_EQ(app->Inspectors()->Count(), 0);
    EXPECT_TRUE(app->ActiveExplorer());
}

TEST_F(HostRoundTrip, AFieldWrittenAndSavedIsStored) {
    auto contact = ContactItems()->Item(1)->AsContactItem();
    contact->Put(outlook::ContactField::BusinessFaxNumber, "Fax: 0123 456");
    EXPECT_EQ(contacts->Item(1).Stored(outlook::ContactField::BusinessFaxNumber), "0123 456")
        << "a write changes the item in memory only";
    contact->Save();
    EXPECT_EQ(contacts->Item(1).Stored(outlook::ContactField::BusinessFaxNumber), "Fax: 0123 456");
    EXPECT_EQ(contacts->Item(1).Saves(), 1);
}

TEST_F(HostRoundTrip, AFailureOfTheMailClientArrivesWithItsNumberSourceAndDescription) {
    struct Case {
        const char* call;
        std::int32_t number;
    };
    for (Case each : {Case{"BusinessFaxNumber.Get", 440}, Case{"Save", 4096},
                      Case{"Class", static_cast<std::int32_t>(0x80004005)}}) {
        SCOPED_TRACE(each.call);
        contacts->Item(1).FailOn(each.call, memory::Failure{.number = each.number,
                                                            .description = "planned failure",
                                                            .source = "Microsoft Outlook",
                                                            .times = 1});
        auto item = ContactItems()->Item(1);
        try {
            std::string call = each.call;
            if (call == "Class") {
                item->GetProperty("Class");
            } else if (call == "Save") {
                item->AsContactItem()->Save();
            } else {
                item->AsContactItem()->BusinessFaxNumber();
            }
            ADD_FAILURE() << "the call must raise";
        } catch (const RaisedError& error) {
            EXPECT_EQ(error.Number(), each.number);
            EXPECT_EQ(error.Source(), "Microsoft Outlook");
            EXPECT_EQ(error.Description(), "planned failure");
        }
    }
}

TEST_F(HostRoundTrip, AMailIsNotTakenAsAContact) {
    auto inbox = app->GetNamespace("MAPI")->Folders()->Item(1)->Folders()->Item(1)->Items();
    EXPECT_EQ(inbox->Item(1)->GetProperty("Class"), Variant(std::int32_t{outlook::olMail}));
    try {
        inbox->Item(1)->AsContactItem();
        FAIL() << "a mail is not a contact";
    } catch (const RaisedError& error) {
        EXPECT_EQ(error.Number(), RaisedError::TypeMismatch);
    }
}

TEST_F(HostRoundTrip, ANewWindowsContactCanBeWatchedAndItsWriteCancelled) {
    std::shared_ptr<outlook::ContactItem> watched;
    outlook::Inspectors::Events inspectorsEvents;
    inspectorsEvents.NewInspector = [&](const std::shared_ptr<outlook::Inspector>& inspector) {
        watched = inspector->CurrentItem()->AsContactItem();
    };
    auto inspectors = app->Inspectors();
    auto windows = inspectors->Advise(inspectorsEvents);
    auto window = client.OpenInspector(contacts->Item(3));
    ASSERT_TRUE(watched) << "NewInspector reached the handler with the window";
    EXPECT_EQ(inspectors->Count(), 1);

    int writes = 0;
    outlook::ContactItem::Events itemEvents;
    itemEvents.Write = [&](bool& cancel) {
        ++writes;
        cancel = true;
    };
    auto writesSubscription = watched->Advise(itemEvents);
    window.Edit(outlook::ContactField::JobTitle, "Clerk");
    window.Save();
    EXPECT_EQ(writes, 1);
    EXPECT_EQ(contacts->Item(3).Saves(), 0) << "the write was cancelled by reference";
    EXPECT_EQ(contacts->Item(3).Stored(outlook::ContactField::JobTitle), "");
    EXPECT_TRUE(client.HandlerErrors().empty());
}

TEST_F(HostRoundTrip, AnErrorAHandlerRaisesReachesTheMailClientAsTheHandlersError) {
    outlook::Application::Events events;
    events.OptionsPagesAdd = [](const std::shared_ptr<outlook::PropertyPages>&) {
        throw RaisedError(13, "Telvane", "Type mismatch");
    };
    auto subscription = app->Advise(events);
    client.ShowOptionsDialog();
    ASSERT_EQ(client.HandlerErrors().size(), 1u);
    EXPECT_EQ(client.HandlerErrors()[0].event, "Application.OptionsPagesAdd");
    EXPECT_EQ(client.HandlerErrors()[0].number, 13);
    EXPECT_EQ(client.HandlerErrors()[0].source, "Telvane");
    EXPECT_EQ(client.HandlerErrors()[0].description, "Type mismatch");
}

}  // namespace
}  // namespace telvane::tests
