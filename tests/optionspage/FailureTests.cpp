#include <gtest/gtest.h>

#include "tests/optionspage/FaxManagerFixture.h"

namespace telvane {
namespace {

using outlook::ContactField;

std::string Messages(const memory::HeadlessHost& host) {
    std::string text;
    for (const auto& m : host.Messages())
        text += "[" + m.title + "] " + m.text + "\n";
    return text;
}

TEST_F(FaxManagerFixture, AContactThatCannotBeSavedStopsTheUpdateAndIsNamed) {
    dan.FailOn("Save", 4096);
    WithFaxManager([&](frmFaxManager& form) {
        Choose(form, "Contacts");
        form.cmdSelect(1).UserClick();  // Bob and Dan become pending, in that order
        form.lstContacts.UserTick(3);   // and Eve after them
        ASSERT_TRUE(form.cmdUpdate.UserClick());

        ASSERT_EQ(host.Messages().size(), 1u) << Messages(host);
        EXPECT_NE(host.Messages()[0].text.find("\"Dorsey, Dan\""), std::string::npos)
            << Messages(host);
        EXPECT_NE(host.Messages()[0].text.find("4096"), std::string::npos) << Messages(host);
        EXPECT_EQ(host.Messages()[0].title, "Telvane");
        // Usable again, with the list read afresh so ticks match what is stored.
        EXPECT_TRUE(form.frmeControl.Enabled());
        EXPECT_EQ(form.MousePointer(), forms::MousePointer::Default);
        EXPECT_FALSE(form.lblWait.Visible());
        EXPECT_TRUE(form.lstContacts.Visible());
        EXPECT_EQ(Entries(form), (std::vector<std::string>{"[ ] Archer, Ann", "[ ] Baker, Bob",
                                                           "[x] Dorsey, Dan", "[ ] ellis, eve"}));
        Close(form);
    });
    EXPECT_EQ(bob.Stored(ContactField::HomeFaxNumber), "0456") << "saved before the failure";
    EXPECT_EQ(dan.Stored(ContactField::BusinessFaxNumber), "Fax: 0123");
    EXPECT_EQ(eve.Saves(), 0) << "nothing after the failing contact is written";
}

TEST_F(FaxManagerFixture, AContactThatCannotBeReadStopsTheListAndLeavesTheWindowUsable) {
    eve.FailOn("OtherFaxNumber.Get", 4097);
    WithFaxManager([&](frmFaxManager& form) {
        Choose(form, "Contacts");
        ASSERT_EQ(host.Messages().size(), 1u);
        EXPECT_NE(host.Messages()[0].text.find("item 6"), std::string::npos) << Messages(host);
        EXPECT_TRUE(form.frmeControl.Enabled());
        EXPECT_TRUE(form.lstContacts.Visible());
        EXPECT_FALSE(form.pbWait.Visible());
        EXPECT_EQ(form.MousePointer(), forms::MousePointer::Default);
        eve.ClearFailures();
        Choose(form, "Contacts");
        EXPECT_EQ(form.lstContacts.ListCount(), 4);
        Close(form);
    });
}

TEST_F(FaxManagerFixture, AnUpdateSkipsPositionsThatNoLongerHoldTheirContact) {
    WithFaxManager([&](frmFaxManager& form) {
        Choose(form, "Contacts");
        form.cmdSelect(0).UserClick();  // Ann (1) and Eve (6) pending
        contacts.RemoveItem(1);         // everything moves up by one
        contacts.InsertContact(1, {.FileAs = "Archer, Ann", .BusinessFaxNumber = "0123"});
        contacts.RemoveItem(6);  // Eve's position now lies past the end
        ASSERT_TRUE(form.cmdUpdate.UserClick());
        ASSERT_EQ(host.Messages().size(), 1u) << Messages(host);
        EXPECT_NE(host.Messages()[0].text.find("ellis, eve"), std::string::npos) << Messages(host);
        EXPECT_EQ(host.Messages()[0].text.find("Archer"), std::string::npos)
            << "Ann is still at her position and was written";
        Close(form);
    });
    EXPECT_EQ(contacts.Item(1).Stored(ContactField::BusinessFaxNumber), "Fax: 0123");
    EXPECT_EQ(eve.Saves(), 0);
}

TEST_F(FaxManagerFixture, APositionNowHoldingAnotherItemIsNeitherWrittenNorShown) {
    WithFaxManager([&](frmFaxManager& form) {
        Choose(form, "Contacts");
        contacts.RemoveItem(1);
        contacts.InsertContact(1, {.FileAs = "Stranger", .BusinessFaxNumber = "0999"});
        form.lstContacts.UserTick(0);  // Archer, Ann at position 1
        form.lstContacts.UserHighlight(0);
        ASSERT_TRUE(form.cmdDisplay.UserClick());
        form.cmdUpdate.UserClick();
        EXPECT_EQ(host.Messages().size(), 2u) << Messages(host);
        Close(form);
    });
    EXPECT_EQ(contacts.Item(1).Stored(ContactField::BusinessFaxNumber), "0999");
    EXPECT_EQ(contacts.Item(1).Saves(), 0);
    EXPECT_EQ(host.ModalShows().size(), 1u) << "the details window was not shown";
}

TEST_F(FaxManagerFixture, TheCloseBoxIsRefusedWhileAHandlerWorks) {
    WithFaxManager([&](frmFaxManager& form) {
        host.QueueInput("close box during the list", [&] { return form.UserClose(); });
        Choose(form, "Contacts");
        ASSERT_EQ(host.InputLog().size(), 1u);
        EXPECT_FALSE(host.InputLog()[0].accepted);
        EXPECT_TRUE(form.IsLoaded());
        Close(form);
    });
}

}  // namespace
}  // namespace telvane
