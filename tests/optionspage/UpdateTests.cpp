#include <gtest/gtest.h>

#include "tests/optionspage/FaxManagerFixture.h"

namespace telvane {
namespace {

using outlook::ContactField;
using Texts = std::vector<std::string>;

// The entry with that text, or a failed test.
int EntryIndex(const frmFaxManager& form, const std::string& text) {
    for (int i = 0; i < form.lstContacts.ListCount(); ++i) {
        if (form.lstContacts.List(i) == text)
            return i;
    }
    ADD_FAILURE() << "no entry " << text;
    return 0;
}

TEST_F(FaxManagerFixture, HideAllThenUpdateHidesEveryListedContactOnce) {
    WithFaxManager([&](frmFaxManager& form) {
        Choose(form, "Contacts");
        form.cmdSelect(0).UserClick();
        ASSERT_TRUE(form.cmdUpdate.UserClick());
        EXPECT_EQ(NodeNamed(form, "Contacts")->Text(),
                  "Contacts [ 6 Contacts,  4 Hidden Fax #'s,  0 Displayed Fax #'s ]");
        EXPECT_TRUE(form.frmeControl.Enabled());
        EXPECT_EQ(form.MousePointer(), forms::MousePointer::Default);
        EXPECT_EQ(form.lstContacts.ListIndex(), 0);
        Close(form);
    });
    EXPECT_EQ(ann.Stored(ContactField::BusinessFaxNumber), "Fax: 0123");
    EXPECT_EQ(eve.Stored(ContactField::OtherFaxNumber), "Fax: 0789");
    EXPECT_EQ(ann.Saves(), 1);
    EXPECT_EQ(eve.Saves(), 1);
    // Already ticked: no pending change, never opened, even with a shown field left.
    EXPECT_EQ(dan.Saves(), 0);
    EXPECT_EQ(dan.Stored(ContactField::HomeFaxNumber), "0456");
    EXPECT_EQ(bob.Saves(), 0);
    EXPECT_EQ(carla.Saves(), 0);
}

TEST_F(FaxManagerFixture, ShowAllThenUpdateShowsEveryHiddenContact) {
    WithFaxManager([&](frmFaxManager& form) {
        Choose(form, "Contacts");
        form.cmdSelect(1).UserClick();
        form.cmdUpdate.UserClick();
        EXPECT_EQ(NodeNamed(form, "Contacts")->Text(),
                  "Contacts [ 6 Contacts,  0 Hidden Fax #'s,  4 Displayed Fax #'s ]");
        Close(form);
    });
    EXPECT_EQ(bob.Stored(ContactField::HomeFaxNumber), "0456");
    EXPECT_EQ(dan.Stored(ContactField::BusinessFaxNumber), "0123");
    EXPECT_EQ(dan.Stored(ContactField::HomeFaxNumber), "0456");
    EXPECT_EQ(ann.Saves(), 0);
}

TEST_F(FaxManagerFixture, TickingUpdatingAndUntickingRoundTripsANumber) {
    WithFaxManager([&](frmFaxManager& form) {
        Choose(form, "Contacts");
        const int annEntry = EntryIndex(form, "Archer, Ann");
        form.lstContacts.UserTick(annEntry);
        form.cmdUpdate.UserClick();
        EXPECT_EQ(ann.Stored(ContactField::BusinessFaxNumber), "Fax: 0123");
        form.lstContacts.UserTick(annEntry);
        form.cmdUpdate.UserClick();
        EXPECT_EQ(ann.Stored(ContactField::BusinessFaxNumber), "0123");
        EXPECT_EQ(ann.Saves(), 2);
        form.cmdUpdate.UserClick();
        EXPECT_EQ(ann.Saves(), 2) << "a second Update without new ticks writes nothing";
        Close(form);
    });
}

TEST_F(FaxManagerFixture, UpdateWithoutPendingTicksOnlyRefreshesTheCounts) {
    WithFaxManager([&](frmFaxManager& form) {
        Choose(form, "Contacts");
        const int annEntry = EntryIndex(form, "Archer, Ann");
        form.lstContacts.UserTick(annEntry);
        form.lstContacts.UserTick(annEntry);
        contacts.AddContact({.FileAs = "Zed"});  // behind the window's back
        form.cmdUpdate.UserClick();
        EXPECT_EQ(NodeNamed(form, "Contacts")->Text(),
                  "Contacts [ 7 Contacts,  2 Hidden Fax #'s,  2 Displayed Fax #'s ]");
        Close(form);
    });
    for (const auto& item : {ann, bob, dan, eve})
        EXPECT_EQ(item.Saves(), 0);
}

TEST_F(FaxManagerFixture, AContactMarkedElsewhereMeanwhileIsNotSavedAndStaysPending) {
    WithFaxManager([&](frmFaxManager& form) {
        Choose(form, "Contacts");
        const int annEntry = EntryIndex(form, "Archer, Ann");
        form.lstContacts.UserTick(annEntry);
        ann.SetStored(ContactField::BusinessFaxNumber, "Fax: 0123");
        form.cmdUpdate.UserClick();
        EXPECT_EQ(ann.Saves(), 0);
        const auto position = form.lstContacts.ItemData(annEntry);
        EXPECT_FALSE(library.modFaxManager.m_arrContacts[position].blnHidden);
        Close(form);
    });
}

TEST_F(FaxManagerFixture, AOneEntryListRunsTheProgressFromZeroToZero) {
    std::vector<std::pair<int, int>> seen;
    host.OnDoEvents([&] {
        if (!library.frmFaxManager.IsLoaded())
            return;
        auto& form = library.frmFaxManager.Get();
        if (form.lblWait.Caption() == "Please wait while the contacts are updated..." &&
            form.pbWait.Visible()) {
            seen.emplace_back(form.pbWait.Max(), form.pbWait.Value());
        }
    });
    WithFaxManager([&](frmFaxManager& form) {
        Choose(form, "Suppliers");
        form.lstContacts.UserTick(0);
        form.cmdUpdate.UserClick();
        Close(form);
    });
    ASSERT_FALSE(seen.empty());
    for (auto [max, value] : seen) {
        EXPECT_EQ(max, 1);
        EXPECT_EQ(value, 0);
    }
    EXPECT_EQ(fiona.Stored(ContactField::BusinessFaxNumber), "Fax: 029");
}

TEST_F(FaxManagerFixture, ChoosingAnotherFolderDropsUnwrittenTicks) {
    WithFaxManager([&](frmFaxManager& form) {
        Choose(form, "Contacts");
        form.cmdSelect(0).UserClick();
        Choose(form, "Suppliers");
        Choose(form, "Contacts");
        EXPECT_EQ(Entries(form)[0], "[ ] Archer, Ann");
        Close(form);
    });
    EXPECT_EQ(ann.Saves(), 0);
}

}  // namespace
}  // namespace telvane
