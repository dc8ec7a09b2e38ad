#include <gtest/gtest.h>

#include <functional>

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

namespace telvane {
namespace {

using outlook::ContactField;

std::string AllMessages(const memory::HeadlessHost& host) {
    std::string text;
    for (const auto& m : host.Messages())
        text += m.text + "\n";
    return text;
}

TEST_F(FaxManagerFixture, AListCutShortByAFailureShowsOnlyTicksThatMatchTheContacts) {
    // Dan's marker is in the last field read, after his number was found.
    dan.FailOn("BusinessFaxNumber.Get", 4098);
    WithFaxManager([&](frmFaxManager& form) {
        Choose(form, "Contacts");
        EXPECT_EQ(Entries(form), (std::vector<std::string>{"[ ] Archer, Ann", "[x] Baker, Bob"}));
        Close(form);
    });
}

struct NamingCase {
    const char* name;
    std::function<void()> plan;
    std::function<void(frmFaxManager&)> act;
    const char* named;
};

class FailureNaming : public FaxManagerFixture, public testing::WithParamInterface<int> {};

TEST_P(FailureNaming, TheMessageNamesTheContactOrItsPosition) {
    memory::ItemHandle nameless =
        contacts.AddContact({.FirstName = "Nora", .BusinessFaxNumber = "0555"});  // item 7
    const NamingCase cases[] = {
        {"update of a contact without file-as text", [&] { nameless.FailOn("Save", 4099); },
         [](frmFaxManager& form) {
             form.lstContacts.UserTick(0);  // "" sorts first
             form.cmdUpdate.UserClick();
         },
         "item 7"},
        {"details of a contact without file-as text",
         [&] { nameless.FailOn("FirstName.Get", 4099); },
         [](frmFaxManager& form) {
             form.lstContacts.UserHighlight(0);
             form.cmdDisplay.UserClick();
         },
         "item 7"},
        {"details of a named contact", [&] { bob.FailOn("CompanyName.Get", 4099); },
         [](frmFaxManager& form) {
             form.lstContacts.UserHighlight(2);
             form.cmdDisplay.UserClick();
         },
         "\"Baker, Bob\""},
    };
    const NamingCase& c = cases[GetParam()];
    WithFaxManager([&](frmFaxManager& form) {
        Choose(form, "Contacts");
        c.plan();
        c.act(form);
        ASSERT_EQ(host.Messages().size(), 1u) << c.name;
        EXPECT_NE(host.Messages()[0].text.find(c.named), std::string::npos)
            << c.name << ":\n"
            << host.Messages()[0].text;
        Close(form);
    });
}

INSTANTIATE_TEST_SUITE_P(Cases, FailureNaming, testing::Range(0, 3));

TEST_F(FaxManagerFixture, AFailedDisplayLeavesNoDetailsWindowLoaded) {
    host.WhenShownModally("frmDisplay", [](forms::Form& details) { details.UserPressEscape(); });
    WithFaxManager([&](frmFaxManager& form) {
        Choose(form, "Contacts");
        form.lstContacts.UserHighlight(0);
        form.cmdDisplay.UserClick();  // Ann's details, shown and closed
        bob.FailOn("JobTitle.Get", 4100);
        form.lstContacts.UserHighlight(1);
        form.cmdDisplay.UserClick();
        EXPECT_EQ(host.Messages().size(), 1u) << AllMessages(host);
        EXPECT_FALSE(library.frmDisplay.IsLoaded()) << "a window not shown must not stay loaded";
        Close(form);
    });
    EXPECT_EQ(host.ModalShows().size(), 2u) << "the fax manager and Ann's details only";
}

TEST_F(FaxManagerFixture, DisplayStaysHiddenUntilAListWasMade) {
    eve.FailOn("OtherFaxNumber.Get", 4101);
    WithFaxManager([&](frmFaxManager& form) {
        Choose(form, "Contacts");
        ASSERT_EQ(host.Messages().size(), 1u);
        EXPECT_FALSE(form.cmdDisplay.Visible()) << "no list was made yet";
        eve.ClearFailures();
        Choose(form, "Contacts");
        EXPECT_TRUE(form.cmdDisplay.Visible());
        Close(form);
    });
}

TEST_F(FaxManagerFixture, AFailedUpdateSaysWhichTicksTheFreshListUndid) {
    dan.FailOn("Save", 4102);
    WithFaxManager([&](frmFaxManager& form) {
        Choose(form, "Contacts");
        form.cmdSelect(1).UserClick();  // Bob and Dan pending
        form.lstContacts.UserTick(3);   // and Eve
        form.cmdUpdate.UserClick();
        ASSERT_EQ(host.Messages().size(), 1u);
        const std::string& text = host.Messages()[0].text;
        const auto undone = text.find("ticks are undone");
        ASSERT_NE(undone, std::string::npos) << text;
        EXPECT_NE(text.find("Dorsey, Dan", undone), std::string::npos) << text;
        EXPECT_NE(text.find("ellis, eve", undone), std::string::npos) << text;
        EXPECT_EQ(text.find("Baker, Bob", undone), std::string::npos) << "Bob was written";
        Close(form);
    });
}

TEST_F(FaxManagerFixture, UpdateAndDisplayKeepToTheFolderTheListWasMadeFor) {
    host.WhenShownModally<frmDisplay>("frmDisplay", [](frmDisplay& details) {
        EXPECT_EQ(details.lblValue(2).Caption(), " Fox, Fiona");
        details.UserPressEscape();
    });
    WithFaxManager([&](frmFaxManager& form) {
        Choose(form, "Suppliers");
        const std::string contactsText = NodeNamed(form, "Contacts")->Text();
        // Collapsing the parent moves the selection to it without a node click.
        ASSERT_TRUE(form.tvContacts.UserToggleNode(NodeNamed(form, "Contacts")));
        ASSERT_EQ(form.tvContacts.SelectedItem(), NodeNamed(form, "Contacts"));
        form.lstContacts.UserTick(0);
        form.cmdUpdate.UserClick();
        form.cmdDisplay.UserClick();
        EXPECT_TRUE(host.Messages().empty()) << AllMessages(host);
        EXPECT_EQ(NodeNamed(form, "Contacts")->Text(), contactsText);
        EXPECT_EQ(NodeNamed(form, "Suppliers")->Text(),
                  "Suppliers [ 1 Contacts,  1 Hidden Fax #'s,  0 Displayed Fax #'s ]");
        Close(form);
    });
    EXPECT_EQ(fiona.Stored(ContactField::BusinessFaxNumber), "Fax: 029");
    EXPECT_EQ(host.ModalShows().size(), 2u) << "the details were shown";
}

}  // namespace
}  // namespace telvane
