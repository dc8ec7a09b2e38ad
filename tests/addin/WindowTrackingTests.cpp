#include <gtest/gtest.h>

#include "tests/addin/AddInFixture.h"

namespace telvane {
namespace {

using outlook::ContactField;

const memory::ContactFields kShown{.FileAs = "Ann", .BusinessFaxNumber = "0123"};

TEST_F(AddInFixture, ConnectingHoldsTheApplicationAndWatchesTheActiveExplorer) {
    auto explorer = client.OpenExplorer();
    Connect();
    EXPECT_TRUE(AddIn().IsAttached());
    EXPECT_EQ(AddIn().WatchedExplorer(), explorer.Object());
    EXPECT_EQ(library.Settings().SettingsKeyPath, "Software\\Merrowind\\Telvane\\");
}

TEST_F(AddInFixture, WithoutAnExplorerAtStartNoExplorerIsWatched) {
    client.ClearActiveExplorer();
    Connect();
    EXPECT_EQ(AddIn().WatchedExplorer(), nullptr);
    auto later = client.OpenExplorer();
    later.Close();
    EXPECT_TRUE(AddIn().IsAttached()) << "explorers opened after connecting are not watched";
}

TEST_F(AddInFixture, TheWatchedExplorerClosingBesideAnotherExplorerKeepsTheAddIn) {
    auto watched = client.OpenExplorer();
    Connect();
    auto other = client.OpenExplorer();
    watched.Close();
    EXPECT_TRUE(AddIn().IsAttached());
}

TEST_F(AddInFixture, TheLastExplorerClosingWithoutInspectorsDetaches) {
    auto watched = client.OpenExplorer();
    Connect();
    watched.Close();
    EXPECT_FALSE(AddIn().HoldsAnything());
    EXPECT_EQ(client.LiveSubscriptions(), 0);
}

TEST_F(AddInFixture, TheLastInspectorThenDetachesOnceNoExplorerIsActive) {
    auto watched = client.OpenExplorer();
    Connect();
    auto window = client.OpenInspector(contacts.AddContact(kShown));
    watched.Close();
    ASSERT_TRUE(AddIn().IsAttached()) << "an inspector is still open";

    window.Close();

    EXPECT_FALSE(AddIn().HoldsAnything());
    EXPECT_EQ(client.LiveSubscriptions(), 0);
}

TEST_F(AddInFixture, AnInspectorClosingWhileAnExplorerIsActiveKeepsTheAddIn) {
    auto explorer = client.OpenExplorer();
    Connect();
    auto window = client.OpenInspector(contacts.AddContact(kShown));
    window.Close();
    EXPECT_TRUE(AddIn().IsAttached());
}

struct FailingCount {
    const char* call;
    bool closeExplorer;  // otherwise the inspector closes
};

class DetachOnFailingCount : public AddInFixture,
                             public testing::WithParamInterface<FailingCount> {};

TEST_P(DetachOnFailingCount, ACountThatCannotBeReadDetaches) {
    auto explorer = client.OpenExplorer();
    auto other = client.OpenExplorer();
    explorer.Activate();
    Connect();
    auto window = client.OpenInspector(contacts.AddContact(kShown));
    // Counts that would keep the add-in attached, were they readable.
    auto second = client.OpenInspector(contacts.AddContact(kShown));

    client.FailOn(GetParam().call, 440);
    if (GetParam().closeExplorer) {
        explorer.Close();
    } else {
        second.Close();
    }

    EXPECT_FALSE(AddIn().HoldsAnything()) << GetParam().call;
    EXPECT_TRUE(client.HandlerErrors().empty()) << HandlerErrorsText();
}

INSTANTIATE_TEST_SUITE_P(Counts, DetachOnFailingCount,
                         testing::Values(FailingCount{"Explorers.Count", true},
                                         FailingCount{"Inspectors.Count", true},
                                         FailingCount{"Inspectors.Count", false},
                                         FailingCount{"Application.ActiveExplorer", false}),
                         [](const auto& info) {
                             std::string name = info.param.call;
                             name.erase(name.find('.'), 1);
                             return name + (info.param.closeExplorer ? "_explorer" : "_inspector");
                         });

TEST_F(AddInFixture, OnlyTheContactOfTheLastContactWindowIsWatched) {
    StoreSwitch(1);
    Connect();
    auto first = contacts.AddContact(kShown);
    auto second = contacts.AddContact({.FileAs = "Bob", .HomeFaxNumber = "0456"});
    auto firstWindow = client.OpenInspector(first);
    auto secondWindow = client.OpenInspector(second);

    firstWindow.Save();
    EXPECT_EQ(first.Stored(ContactField::BusinessFaxNumber), "0123") << "not watched";
    EXPECT_TRUE(firstWindow.IsOpen());

    secondWindow.Save();
    EXPECT_EQ(second.Stored(ContactField::HomeFaxNumber), "Fax: 0456");
    EXPECT_FALSE(secondWindow.IsOpen());
}

TEST_F(AddInFixture, AMessageWindowAfterAContactWindowKeepsTheContactWatched) {
    StoreSwitch(1);
    auto explorer = client.OpenExplorer();
    Connect();
    auto contact = contacts.AddContact(kShown);
    auto contactWindow = client.OpenInspector(contact);
    auto mail = client.OpenInspector(contacts.AddMail("Hello"));
    auto list = client.OpenInspector(contacts.AddDistributionList("Team"));

    EXPECT_EQ(AddIn().WatchedInspector(), list.Object());
    contactWindow.Save();
    EXPECT_EQ(contact.Stored(ContactField::BusinessFaxNumber), "Fax: 0123");
}

class NewInspectorSkipsFailingSteps : public AddInFixture,
                                      public testing::WithParamInterface<const char*> {};

TEST_P(NewInspectorSkipsFailingSteps, TheEarlierContactStaysWatched) {
    StoreSwitch(1);
    auto explorer = client.OpenExplorer();
    Connect();
    auto watched = contacts.AddContact(kShown);
    auto watchedWindow = client.OpenInspector(watched);
    auto failing = contacts.AddContact({.FileAs = "Bob", .HomeFaxNumber = "0456"});
    failing.FailOn(GetParam(), 4096);

    auto failingWindow = client.OpenInspector(failing);

    EXPECT_EQ(AddIn().WatchedInspector(), failingWindow.Object());
    watchedWindow.Save();
    EXPECT_EQ(watched.Stored(ContactField::BusinessFaxNumber), "Fax: 0123");
    EXPECT_TRUE(client.HandlerErrors().empty()) << HandlerErrorsText();
}

INSTANTIATE_TEST_SUITE_P(Steps, NewInspectorSkipsFailingSteps,
                         testing::Values("Class", "AsContactItem", "Advise"));

TEST_F(AddInFixture, AWindowWhoseItemCannotBeTakenKeepsTheEarlierContact) {
    StoreSwitch(1);
    auto explorer = client.OpenExplorer();
    Connect();
    auto watched = contacts.AddContact(kShown);
    auto watchedWindow = client.OpenInspector(watched);
    client.FailOn("Inspector.CurrentItem", 4096);
    client.OpenInspector(contacts.AddContact(kShown));
    client.ClearFailures();

    watchedWindow.Save();
    EXPECT_EQ(watched.Stored(ContactField::BusinessFaxNumber), "Fax: 0123");
}

}  // namespace
}  // namespace telvane
