#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>

#include "common/outlook/ContactItem.h"
#include "common/outlook/Explorers.h"
#include "common/outlook/Folders.h"
#include "common/outlook/Inspector.h"
#include "common/outlook/Inspectors.h"
#include "common/outlook/Items.h"
#include "common/outlook/MAPIFolder.h"
#include "common/outlook/NameSpace.h"
#include "common/outlook/PropertyPages.h"
#include "platform/memory/outlook/MailClient.h"
#include "tests/memory_outlook/Raises.h"

namespace telvane::memory {
namespace {

using outlook::ContactField;
using testing::Raises;

class FailureInjection : public ::testing::Test {
public:  // the call table below reaches into the fixture
    std::shared_ptr<outlook::ContactItem> AnnObject() {
        return contacts.Object()->Items()->Item(1)->AsContactItem();
    }

    MailClient client;
    FolderHandle store = client.AddStore("Store");
    FolderHandle contacts = store.AddFolder("Contacts", outlook::olContactItem);
    ItemHandle ann = contacts.AddContact({.FileAs = "Ann", .BusinessFaxNumber = "0123"});
    ItemHandle bob = contacts.AddContact({.FileAs = "Bob"});
    InspectorHandle window = client.OpenInspector(ann);
};

enum class Target { Client, Folder, Item };

struct Case {
    Target target;
    const char* call;
    std::function<void(FailureInjection&)> make;
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.call;
}

class EveryCall : public FailureInjection, public ::testing::WithParamInterface<Case> {};

// Each call fails with the planned error while planned, and works again once cleared.
TEST_P(EveryCall, FailsAsPlannedUntilCleared) {
    const Case& c = GetParam();
    Failure failure{.number = 4096, .description = "planned", .source = "Test"};
    switch (c.target) {
        case Target::Client:
            client.FailOn(c.call, failure);
            break;
        case Target::Folder:
            contacts.FailOn(c.call, failure);
            break;
        case Target::Item:
            ann.FailOn(c.call, failure);
            break;
    }
    try {
        c.make(*this);
        ADD_FAILURE() << c.call << " raised nothing";
    } catch (const RaisedError& error) {
        EXPECT_EQ(error.Number(), 4096);
        EXPECT_EQ(error.Source(), "Test");
        EXPECT_EQ(error.Description(), "planned");
    }
    client.ClearFailures();
    EXPECT_NO_THROW(c.make(*this));
}

using F = FailureInjection;
INSTANTIATE_TEST_SUITE_P(
    Calls, EveryCall,
    ::testing::Values(
        Case{Target::Client, "Application.GetNamespace",
             [](F& f) { f.client.Application()->GetNamespace("MAPI"); }},
        Case{Target::Client, "Application.ActiveExplorer",
             [](F& f) { f.client.Application()->ActiveExplorer(); }},
        Case{Target::Client, "Explorers.Count",
             [](F& f) { f.client.Application()->Explorers()->Count(); }},
        Case{Target::Client, "Inspectors.Count",
             [](F& f) { f.client.Application()->Inspectors()->Count(); }},
        Case{Target::Client, "Inspector.CurrentItem",
             [](F& f) { f.window.Object()->CurrentItem(); }},
        Case{Target::Client, "NameSpace.Folders",
             [](F& f) { f.client.Application()->GetNamespace("MAPI")->Folders(); }},
        Case{Target::Client, "PropertyPageSite.Application",
             [](F& f) { f.client.NewPropertyPageSite()->Application(); }},
        Case{Target::Client, "Items.Item", [](F& f) { f.contacts.Object()->Items()->Item(2); }},
        Case{Target::Folder, "Name", [](F& f) { f.contacts.Object()->Name(); }},
        Case{Target::Folder, "EntryID", [](F& f) { f.contacts.Object()->EntryID(); }},
        Case{Target::Folder, "DefaultItemType",
             [](F& f) { f.contacts.Object()->DefaultItemType(); }},
        Case{Target::Folder, "Folders", [](F& f) { f.contacts.Object()->Folders(); }},
        Case{Target::Folder, "Items", [](F& f) { f.contacts.Object()->Items(); }},
        Case{Target::Folder, "Folders.Count",
             [](F& f) { f.contacts.Object()->Folders()->Count(); }},
        Case{Target::Folder, "Items.Count", [](F& f) { f.contacts.Object()->Items()->Count(); }},
        Case{Target::Folder, "Items.Item", [](F& f) { f.contacts.Object()->Items()->Item(1); }},
        Case{Target::Item, "Class", [](F& f) { f.AnnObject()->GetProperty("Class"); }},
        Case{Target::Item, "BusinessFaxNumber.Get",
             [](F& f) { f.AnnObject()->BusinessFaxNumber(); }},
        Case{Target::Item, "BusinessFaxNumber.Get",
             [](F& f) { f.AnnObject()->GetProperty("BusinessFaxNumber"); }},
        Case{Target::Item, "BusinessFaxNumber.Put",
             [](F& f) { f.AnnObject()->Put(ContactField::BusinessFaxNumber, "1"); }},
        Case{Target::Item, "Save", [](F& f) { f.AnnObject()->Save(); }},
        Case{Target::Item, "Close", [](F& f) { f.AnnObject()->Close(outlook::olDiscard); }},
        Case{Target::Item, "AsContactItem", [](F& f) { f.AnnObject(); }},
        Case{Target::Item, "Advise", [](F& f) { f.AnnObject()->Advise({}); }}),
    [](const ::testing::TestParamInfo<Case>& info) {
        std::string name = std::to_string(info.index) + "_" + info.param.call;
        for (char& ch : name) {
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        }
        return name;
    });

TEST_F(FailureInjection, FolderFailureLeavesOtherFoldersAlone) {
    auto sibling = store.AddFolder("Other", outlook::olContactItem);
    contacts.FailOn("Name", 1);
    EXPECT_TRUE(Raises(1, [&] { contacts.Object()->Name(); }));
    EXPECT_EQ(sibling.Object()->Name(), "Other");
}

TEST_F(FailureInjection, ItemFailureHitsEveryObjectOfThatItemAndNoOther) {
    auto first = AnnObject();
    ann.FailOn("BusinessFaxNumber.Put", 4096);
    EXPECT_TRUE(Raises(4096, [&] { first->Put(ContactField::BusinessFaxNumber, "1"); }));
    EXPECT_TRUE(Raises(4096, [&] { AnnObject()->Put(ContactField::BusinessFaxNumber, "1"); }));
    EXPECT_EQ(first->BusinessFaxNumber(), "0123") << "a failed write changes nothing";
    EXPECT_NO_THROW(first->Put(ContactField::HomeFaxNumber, "1")) << "other fields still work";
    auto other = contacts.Object()->Items()->Item(2)->AsContactItem();
    EXPECT_NO_THROW(other->Put(ContactField::BusinessFaxNumber, "1"));
}

TEST_F(FailureInjection, TimesLimitsTheFailureToTheNextCalls) {
    client.FailOn("Inspectors.Count", {.number = 440, .times = 2});
    auto inspectors = client.Application()->Inspectors();
    EXPECT_TRUE(Raises(440, [&] { inspectors->Count(); }));
    EXPECT_TRUE(Raises(440, [&] { inspectors->Count(); }));
    EXPECT_EQ(inspectors->Count(), 1);
}

TEST_F(FailureInjection, PositionLimitsItemsItemToThatPosition) {
    contacts.AddMail("third");
    contacts.FailOn("Items.Item", {.number = 7, .position = 2});
    auto items = contacts.Object()->Items();
    EXPECT_NO_THROW(items->Item(1));
    EXPECT_TRUE(Raises(7, [&] { items->Item(2); }));
    EXPECT_NO_THROW(items->Item(3));
}

TEST_F(FailureInjection, FailedSaveRaisesNoWriteAndStoresNothing) {
    auto item = AnnObject();
    int writes = 0;
    auto onWrite = item->Advise({.Write = [&](bool&) { ++writes; }});
    item->Put(ContactField::BusinessFaxNumber, "Fax: 0123");
    ann.FailOn("Save", {.number = 5, .times = 1});
    EXPECT_TRUE(Raises(5, [&] { item->Save(); }));
    EXPECT_EQ(writes, 0);
    EXPECT_EQ(ann.Stored(ContactField::BusinessFaxNumber), "0123");
    item->Save();
    EXPECT_EQ(ann.Stored(ContactField::BusinessFaxNumber), "Fax: 0123");
}

TEST_F(FailureInjection, FailedPageAddIsRecordedAsTheHandlersError) {
    client.FailOn("PropertyPages.Add", 70);
    auto onPages = client.Application()->Advise(
        {.OptionsPagesAdd =
             [](const std::shared_ptr<outlook::PropertyPages>& pages) {
                 pages->Add(Variant("TelvanePPE.TelvanePage"), "Telvane");
             },
         .Quit = {}});
    EXPECT_TRUE(client.ShowOptionsDialog().empty());
    ASSERT_EQ(client.HandlerErrors().size(), 1u);
    EXPECT_EQ(client.HandlerErrors()[0].event, "Application.OptionsPagesAdd");
    EXPECT_EQ(client.HandlerErrors()[0].number, 70);
}

TEST_F(FailureInjection, DefaultDescriptionNamesTheCall) {
    ann.FailOn("Class", 13);
    try {
        AnnObject()->GetProperty("Class");
        FAIL() << "raised nothing";
    } catch (const RaisedError& error) {
        EXPECT_EQ(error.Description(), "Item.Class failed");
        EXPECT_EQ(error.Source(), "Microsoft Outlook");
    }
}

TEST_F(FailureInjection, CallsAHandleCannotReachAreRejected) {
    EXPECT_THROW(client.FailOn("Inspectors.Cnt", 1), std::invalid_argument);
    EXPECT_THROW(contacts.FailOn("Save", 1), std::invalid_argument);
    EXPECT_THROW(ann.FailOn("Items.Count", 1), std::invalid_argument);
    EXPECT_THROW(ann.FailOn("Save", {.number = 1, .times = -1}), std::invalid_argument);
}

TEST_F(FailureInjection, CountdownFailsTheKthCallFromNowOnAnyObjectOrEveryCallFromIt) {
    auto items = contacts.Object()->Items();
    for (bool every : {false, true}) {
        client.RecordCalls(true);
        Failure failure{.number = 4097};
        if (every) {
            client.FailCallsFromNow(3, failure);
        } else {
            client.FailCallFromNow(3, failure);
        }
        auto first = items->Item(1);                                                 // call 1
        EXPECT_EQ(first->GetProperty("Class").ToInt32(), 40);                        // call 2
        EXPECT_TRUE(Raises(4097, [&] { items->Item(2); }));                          // call 3
        EXPECT_EQ(static_cast<bool>(Raises(4097, [&] { items->Count(); })), every);  // call 4
        EXPECT_EQ(client.CountdownFiredAt(), 3u);
        EXPECT_EQ(client.CountdownCalls(), 4u);
        ASSERT_EQ(client.RecordedCalls().size(), 4u);
        EXPECT_TRUE(contacts.IsTargetOf(client.RecordedCalls()[2]));
        EXPECT_EQ(client.RecordedCalls()[2].position, 2);
        EXPECT_TRUE(ann.IsTargetOf(client.RecordedCalls()[1]));
        client.ClearFailures();
        EXPECT_EQ(items->Count(), 2);
    }
}

}  // namespace
}  // namespace telvane::memory
