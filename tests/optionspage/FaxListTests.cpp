#include <gtest/gtest.h>

#include "tests/optionspage/FaxManagerFixture.h"

namespace telvane {
namespace {

using Texts = std::vector<std::string>;

TEST_F(FaxManagerFixture, ChoosingAFolderListsItsFaxContactsTickedWhenHidden) {
    WithFaxManager([&](frmFaxManager& form) {
        Choose(form, "Contacts");
        EXPECT_EQ(form.lblCaption(1).Caption(), "Fax Contacts for Contacts");
        // Sorted without regard to case; no distribution list, no contact without a number.
        EXPECT_EQ(Entries(form), (Texts{"[ ] Archer, Ann", "[x] Baker, Bob", "[x] Dorsey, Dan",
                                        "[ ] ellis, eve"}));
        const std::int32_t positions[] = {1, 2, 4, 6};
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(form.lstContacts.ItemData(i), positions[i]) << i;
        EXPECT_EQ(NodeNamed(form, "Contacts")->Text(),
                  "Contacts [ 6 Contacts,  2 Hidden Fax #'s,  2 Displayed Fax #'s ]");
        const auto& entry =
            library.modFaxManager.m_arrFolders.at(NodeNamed(form, "Contacts")->Index());
        EXPECT_EQ(entry.lngHidden, 2);
        EXPECT_EQ(entry.lngDisplayed, 2);
        const auto& records = library.modFaxManager.m_arrContacts;
        ASSERT_EQ(records.size(), 7u);
        EXPECT_TRUE(records[2].blnHidden);
        EXPECT_EQ(records[3].intIndex, 0) << "a contact without fax numbers keeps an empty record";
        EXPECT_TRUE(form.cmdDisplay.Visible());
        EXPECT_FALSE(form.pbWait.Visible());
        EXPECT_FALSE(form.lblWait.Visible());
        EXPECT_TRUE(form.lstContacts.Visible());
        EXPECT_EQ(form.lstContacts.ListIndex(), 0);
        EXPECT_TRUE(form.frmeControl.Enabled());
        EXPECT_EQ(form.MousePointer(), forms::MousePointer::Default);
        Close(form);
    });
}

TEST_F(FaxManagerFixture, TheWaitLookShowsWhileTheListIsGenerated) {
    std::vector<std::string> seen;
    host.OnDoEvents([&] {
        if (!library.frmFaxManager.IsLoaded())
            return;
        auto& form = library.frmFaxManager.Get();
        if (form.lblWait.Visible()) {
            seen.push_back(form.lblWait.Caption() + " max " + std::to_string(form.pbWait.Max()) +
                           (form.frmeControl.Enabled() ? " enabled" : " disabled") +
                           (form.cmdDisplay.Visible() ? " button" : ""));
        }
    });
    WithFaxManager([&](frmFaxManager& form) {
        Choose(form, "Contacts");
        Close(form);
    });
    EXPECT_EQ(seen, Texts{"Please wait while the contact list is generated... max 6 disabled"});
}

TEST_F(FaxManagerFixture, ARootNodeEmptiesTheList) {
    WithFaxManager([&](frmFaxManager& form) {
        Choose(form, "Contacts");
        Choose(form, "Personal Folders");
        EXPECT_EQ(form.lblCaption(1).Caption(), "Fax Contacts for ");
        EXPECT_EQ(form.lstContacts.ListCount(), 0);
        EXPECT_TRUE(form.cmdDisplay.Visible()) << "keeps its visibility";
        Close(form);
    });
}

TEST_F(FaxManagerFixture, AnEmptyFolderShowsNoWaitAndKeepsItsNodeText) {
    int waits = 0;
    host.OnDoEvents([&] {
        if (library.frmFaxManager.IsLoaded() && library.frmFaxManager.Get().lblWait.Visible()) {
            ++waits;
        }
    });
    WithFaxManager([&](frmFaxManager& form) {
        Choose(form, "Empty");
        EXPECT_EQ(form.lstContacts.ListCount(), 0);
        EXPECT_EQ(NodeNamed(form, "Empty")->Text(), "Empty [ 0 Contacts ]");
        EXPECT_FALSE(form.cmdDisplay.Visible());
        Close(form);
    });
    EXPECT_EQ(waits, 0);
}

TEST_F(FaxManagerFixture, TwinAndBlankFileAsTextsEachGetTheirOwnEntry) {
    suppliers.AddContact({.FileAs = "Fox, Fiona", .HomeFaxNumber = "030"});
    suppliers.AddContact({.FileAs = "", .HomeFaxNumber = "   "});
    suppliers.AddMail("not listed");
    WithFaxManager([&](frmFaxManager& form) {
        Choose(form, "Suppliers");
        EXPECT_EQ(Entries(form), (Texts{"[ ] ", "[ ] Fox, Fiona", "[ ] Fox, Fiona"}));
        EXPECT_EQ(form.lstContacts.ItemData(0), 3);
        EXPECT_NE(form.lstContacts.ItemData(1), form.lstContacts.ItemData(2));
        EXPECT_EQ(NodeNamed(form, "Suppliers")->Text(),
                  "Suppliers [ 4 Contacts,  0 Hidden Fax #'s,  3 Displayed Fax #'s ]");
        Close(form);
    });
}

TEST_F(FaxManagerFixture, HideAllAndShowAllChangeOnlyTheTicks) {
    std::vector<std::string> seen;
    host.OnDoEvents([&] {
        if (!library.frmFaxManager.IsLoaded())
            return;
        auto& form = library.frmFaxManager.Get();
        if (form.lblWait.Visible())
            seen.push_back(form.lblWait.Caption());
    });
    WithFaxManager([&](frmFaxManager& form) {
        Choose(form, "Contacts");
        seen.clear();
        ASSERT_TRUE(form.cmdSelect(0).UserClick());
        EXPECT_EQ(Entries(form), (Texts{"[x] Archer, Ann", "[x] Baker, Bob", "[x] Dorsey, Dan",
                                        "[x] ellis, eve"}));
        EXPECT_EQ(seen, Texts{"Please wait while the contact list is updated..."});
        EXPECT_EQ(form.pbWait.Max(), 4);
        EXPECT_EQ(form.pbWait.Value(), 3);
        ASSERT_TRUE(form.cmdSelect(1).UserClick());
        EXPECT_EQ(Entries(form), (Texts{"[ ] Archer, Ann", "[ ] Baker, Bob", "[ ] Dorsey, Dan",
                                        "[ ] ellis, eve"}));
        EXPECT_EQ(form.MousePointer(), forms::MousePointer::Default);
        Close(form);
    });
    for (const auto& item : {ann, bob, dan, eve})
        EXPECT_EQ(item.Saves(), 0);
    EXPECT_EQ(bob.Stored(outlook::ContactField::HomeFaxNumber), "Fax: 0456");
}

TEST_F(FaxManagerFixture, ButtonsOnAnEmptyListChangeNothing) {
    WithFaxManager([&](frmFaxManager& form) {
        for (auto* button :
             {&form.cmdSelect(0), &form.cmdSelect(1), &form.cmdUpdate, &form.cmdDisplay}) {
            button->SetVisible(true);
            EXPECT_TRUE(button->UserClick()) << button->Name();
        }
        EXPECT_EQ(form.lstContacts.ListCount(), 0);
        EXPECT_TRUE(form.frmeControl.Enabled());
        Close(form);
    });
    EXPECT_TRUE(host.ModalShows().size() == 1u) << "no details window without an entry";
}

TEST_F(FaxManagerFixture, InputArrivingWhileAListIsGeneratedIsRefused) {
    WithFaxManager([&](frmFaxManager& form) {
        host.QueueInput("Update during generation", [&] { return form.cmdUpdate.UserClick(); });
        host.QueueInput("Hide All during generation",
                        [&] { return form.cmdSelect(0).UserClick(); });
        Choose(form, "Contacts");
        ASSERT_EQ(host.InputLog().size(), 2u);
        EXPECT_FALSE(host.InputLog()[0].accepted);
        EXPECT_FALSE(host.InputLog()[1].accepted);
        EXPECT_EQ(Entries(form)[0], "[ ] Archer, Ann") << "Hide All did not run";
        Close(form);
    });
}

}  // namespace
}  // namespace telvane
