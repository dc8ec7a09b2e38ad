#include <gtest/gtest.h>

#include "tests/addin/AddInFixture.h"

namespace telvane {
namespace {

const memory::AddedPage kTelvaneTab{Variant("TelvanePPE.TelvanePage"), "Telvane"};

TEST_F(AddInFixture, EveryOptionsDialogWhileAttachedGetsTheTab) {
    auto explorer = client.OpenExplorer();
    Connect();
    EXPECT_EQ(client.ShowOptionsDialog(), std::vector{kTelvaneTab});
    EXPECT_EQ(client.ShowOptionsDialog(), std::vector{kTelvaneTab});
}

TEST_F(AddInFixture, NoTabAfterTheAddInDetached) {
    auto explorer = client.OpenExplorer();
    Connect();
    explorer.Close();
    auto again = client.OpenExplorer();
    EXPECT_TRUE(client.ShowOptionsDialog().empty());
}

TEST_F(AddInFixture, NoTabAndNoWatchAfterDisconnection) {
    StoreSwitch(1);
    auto explorer = client.OpenExplorer();
    Connect();
    connection.OnDisconnection();
    EXPECT_EQ(connection.AddIn(), nullptr);
    EXPECT_TRUE(client.ShowOptionsDialog().empty());
    auto contact = contacts.AddContact({.FileAs = "Ann", .BusinessFaxNumber = "0123"});
    auto window = client.OpenInspector(contact);
    window.Save();
    EXPECT_EQ(contact.Stored(outlook::ContactField::BusinessFaxNumber), "0123");
    EXPECT_EQ(client.LiveSubscriptions(), 0);
}

TEST_F(AddInFixture, AFailingTabAddReachesTheMailClient) {
    auto explorer = client.OpenExplorer();
    Connect();
    client.FailOn("PropertyPages.Add", 0x800401F3);  // CO_E_CLASSSTRING: page not registered

    EXPECT_TRUE(client.ShowOptionsDialog().empty());

    ASSERT_EQ(client.HandlerErrors().size(), 1u);
    EXPECT_EQ(client.HandlerErrors()[0].number, std::int32_t(0x800401F3));
    EXPECT_TRUE(AddIn().IsAttached()) << "the add-in's other work goes on";
}

TEST_F(AddInFixture, DisconnectionWithoutConnectionCreatesAndReleasesAFreshAddIn) {
    EXPECT_NO_THROW(connection.OnDisconnection());
    EXPECT_EQ(connection.AddIn(), nullptr);
    EXPECT_NO_THROW(connection.OnDisconnection());
}

TEST_F(AddInFixture, DisconnectionReleasesEveryMailClientObject) {
    auto explorer = client.OpenExplorer();
    const auto before = client.LiveObjects();
    Connect();
    client.OpenInspector(contacts.AddContact()).Close();
    connection.OnDisconnection();
    EXPECT_EQ(client.LiveObjects(), before);
    EXPECT_EQ(client.LiveSubscriptions(), 0);
}

TEST_F(AddInFixture, ConnectingWithSomethingElseThanTheApplicationFails) {
    EXPECT_THROW(connection.OnConnection(nullptr), RaisedError);
    EXPECT_EQ(connection.AddIn(), nullptr) << "the failure comes before anything is attached";
}

TEST_F(AddInFixture, AFailingAttachStepEndsTheConnectionKeepingWhatWasHeld) {
    client.FailOn("Application.Inspectors", 4096);
    try {
        Connect();
        FAIL() << "the connection should fail";
    } catch (const RaisedError& e) {
        EXPECT_EQ(e.Number(), 4096);
    }
    EXPECT_TRUE(AddIn().IsAttached());
    EXPECT_EQ(AddIn().WatchedExplorer(), nullptr) << "steps after the failure did not run";
    connection.OnDisconnection();
    EXPECT_EQ(client.LiveSubscriptions(), 0);
}

TEST_F(AddInFixture, DetachingTwiceChangesNothing) {
    auto explorer = client.OpenExplorer();
    Connect();
    AddIn().Detach();
    AddIn().Detach();
    EXPECT_FALSE(AddIn().HoldsAnything());
}

}  // namespace
}  // namespace telvane
