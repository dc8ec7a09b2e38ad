#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/outlook/ContactItem.h"
#include "common/outlook/Inspector.h"
#include "common/outlook/Items.h"
#include "common/outlook/MAPIFolder.h"
#include "platform/memory/outlook/MailClient.h"

namespace telvane::memory {
namespace {

using outlook::ContactField;
using outlook::ContactItem;

class ItemSave : public ::testing::Test {
protected:
    std::shared_ptr<ContactItem> NewObject() {
        return contacts.Object()->Items()->Item(1)->AsContactItem();
    }

    MailClient client;
    FolderHandle contacts =
        client.AddStore("Personal Folders").AddFolder("Contacts", outlook::olContactItem);
    ItemHandle ann = contacts.AddContact({.FileAs = "Ann", .BusinessFaxNumber = "0123"});
};

TEST_F(ItemSave, PutChangesOnlyTheOpenCopyOfThatObject) {
    auto edited = NewObject();
    auto other = NewObject();
    edited->Put(ContactField::BusinessFaxNumber, "999");
    EXPECT_EQ(edited->BusinessFaxNumber(), "999");
    EXPECT_EQ(other->BusinessFaxNumber(), "0123");
    EXPECT_EQ(ann.Stored(ContactField::BusinessFaxNumber), "0123");
    EXPECT_EQ(ann.Saves(), 0);
}

TEST_F(ItemSave, SaveStoresTheOpenCopyAfterRaisingWriteOnThatObjectOnly) {
    auto saved = NewObject();
    auto bystander = NewObject();
    std::vector<std::string> calls;
    auto onSaved = saved->Advise({.Write = [&](bool& cancel) {
        calls.push_back("saved, cancel " + std::to_string(cancel) + ", stored " +
                        ann.Stored(ContactField::BusinessFaxNumber));
    }});
    auto onBystander = bystander->Advise({.Write = [&](bool&) { calls.push_back("bystander"); }});

    saved->Put(ContactField::BusinessFaxNumber, "Fax: 0123");
    saved->Save();

    EXPECT_EQ(calls, std::vector<std::string>{"saved, cancel 0, stored 0123"});
    EXPECT_EQ(ann.Stored(ContactField::BusinessFaxNumber), "Fax: 0123");
    EXPECT_EQ(ann.Saves(), 1);
    EXPECT_EQ(bystander->BusinessFaxNumber(), "0123") << "an object keeps the copy it read";
    EXPECT_EQ(NewObject()->BusinessFaxNumber(), "Fax: 0123");
}

TEST_F(ItemSave, CancelledWriteStoresNothing) {
    auto item = NewObject();
    auto cancelAll = item->Advise({.Write = [](bool& cancel) { cancel = true; }});
    item->Put(ContactField::BusinessFaxNumber, "555");
    item->Save();
    item->Close(outlook::olSave);
    EXPECT_EQ(ann.Stored(ContactField::BusinessFaxNumber), "0123");
    EXPECT_EQ(ann.Saves(), 0);
}

TEST_F(ItemSave, CloseStoresOrDiscardsAndClosesTheWindowShowingThatObject) {
    struct Case {
        outlook::OlInspectorClose mode;
        bool edit;
        std::string stored;
        int writes;
    };
    const Case cases[] = {
        {outlook::olSave, true, "555", 1},
        {outlook::olSave, false, "0123", 1},
        {outlook::olDiscard, true, "0123", 0},
        {outlook::olPromptForSave, true, "555", 1},
        {outlook::olPromptForSave, false, "0123", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "mode " << c.mode << ", edited " << c.edit);
        ann.SetStored(ContactField::BusinessFaxNumber, "0123");
        auto window = client.OpenInspector(ann);
        auto item = window.Item()->AsContactItem();
        int writes = 0;
        std::int32_t countedWhileClosing = -1;
        auto onWrite = item->Advise({.Write = [&](bool&) { ++writes; }});
        auto onClose = window.Object()->Advise(
            {.Close = [&] { countedWhileClosing = client.Application()->Inspectors()->Count(); }});
        if (c.edit)
            item->Put(ContactField::BusinessFaxNumber, "555");

        item->Close(c.mode);

        EXPECT_EQ(writes, c.writes);
        EXPECT_EQ(ann.Stored(ContactField::BusinessFaxNumber), c.stored);
        EXPECT_FALSE(window.IsOpen());
        EXPECT_EQ(countedWhileClosing, 1);
        EXPECT_EQ(client.InspectorCount(), 0);
        if (c.mode == outlook::olDiscard) {
            EXPECT_EQ(item->BusinessFaxNumber(), "0123") << "discarding drops the open changes";
        }
    }
}

TEST_F(ItemSave, CloseOnAnotherObjectOfTheItemLeavesTheWindowOpen) {
    auto window = client.OpenInspector(ann);
    auto other = NewObject();
    other->Put(ContactField::BusinessFaxNumber, "555");
    other->Close(outlook::olSave);
    EXPECT_EQ(ann.Stored(ContactField::BusinessFaxNumber), "555");
    EXPECT_TRUE(window.IsOpen());
}

TEST_F(ItemSave, CancelledCloseWithSaveKeepsTheWindowOpen) {
    auto window = client.OpenInspector(ann);
    auto item = window.Item()->AsContactItem();
    auto cancelAll = item->Advise({.Write = [](bool& cancel) { cancel = true; }});
    item->Close(outlook::olSave);
    EXPECT_TRUE(window.IsOpen());
    EXPECT_EQ(ann.Saves(), 0);
}

// What the add-in does when the user saves a contact whose fax number it must hide: it
// cancels the save, stores through Close(olSave), and lets go of everything when the window
// closes, all while the outer save is still running.
TEST_F(ItemSave, NestedSaveThroughCloseStoresOnceAndClosesTheWindow) {
    auto window = client.OpenInspector(ann);
    struct Watcher {
        std::shared_ptr<outlook::Inspector> inspector;
        std::shared_ptr<ContactItem> contact;
        outlook::Subscription onClose, onWrite;
    };
    auto watcher = std::make_unique<Watcher>();
    std::vector<std::string> log;
    watcher->inspector = window.Object();
    watcher->contact = window.Item()->AsContactItem();
    watcher->onClose = watcher->inspector->Advise({.Close = [&] {
        log.push_back("close, inspectors " +
                      std::to_string(client.Application()->Inspectors()->Count()));
        watcher.reset();  // ends both subscriptions from inside their own events
    }});
    watcher->onWrite = watcher->contact->Advise({.Write = [&](bool& cancel) {
        auto contact = watcher->contact;
        std::string fax = contact->BusinessFaxNumber();
        log.push_back("write " + fax);
        if (fax.rfind("Fax: ", 0) == 0)
            return;
        contact->Put(ContactField::BusinessFaxNumber, "Fax: " + fax);
        cancel = true;
        contact->Close(outlook::olSave);
        log.push_back("closed, stored " + ann.Stored(ContactField::BusinessFaxNumber));
    }});

    window.Save();

    EXPECT_EQ(log, (std::vector<std::string>{"write 0123", "write Fax: 0123", "close, inspectors 1",
                                             "closed, stored Fax: 0123"}));
    EXPECT_EQ(ann.Stored(ContactField::BusinessFaxNumber), "Fax: 0123");
    EXPECT_EQ(ann.Saves(), 1) << "the cancelled outer save must not store again";
    EXPECT_FALSE(window.IsOpen());
    EXPECT_EQ(client.InspectorCount(), 0);
    EXPECT_EQ(client.LiveSubscriptions(), 0);
    EXPECT_TRUE(client.HandlerErrors().empty());
}

TEST_F(ItemSave, WriteHandlerErrorIsRecordedAndTheSaveFollowsCancelAsItStands) {
    for (bool cancelFirst : {false, true}) {
        SCOPED_TRACE(::testing::Message() << "cancel before raising: " << cancelFirst);
        client.ClearHandlerErrors();
        ann.SetStored(ContactField::BusinessFaxNumber, "0123");
        auto item = NewObject();
        auto failing = item->Advise({.Write = [&](bool& cancel) {
            cancel = cancelFirst;
            throw RaisedError(-2147024891, "cRegistry", "Access denied");
        }});
        item->Put(ContactField::BusinessFaxNumber, "555");
        EXPECT_NO_THROW(item->Save());
        EXPECT_EQ(ann.Stored(ContactField::BusinessFaxNumber), cancelFirst ? "0123" : "555");
        ASSERT_EQ(client.HandlerErrors().size(), 1u);
        const auto& error = client.HandlerErrors()[0];
        EXPECT_EQ(error.event, "ContactItem.Write");
        EXPECT_EQ(error.number, -2147024891);
        EXPECT_EQ(error.source, "cRegistry");
        EXPECT_EQ(error.description, "Access denied");
    }
}

TEST_F(ItemSave, HandlersUnadvisedDuringARaiseAreSkipped) {
    auto item = NewObject();
    std::vector<std::string> called;
    outlook::Subscription first, second, third;
    first = item->Advise({.Write = [&](bool&) {
        called.push_back("first");
        first.Reset();
        second.Reset();
    }});
    second = item->Advise({.Write = [&](bool&) { called.push_back("second"); }});
    third = item->Advise({.Write = [&](bool&) { called.push_back("third"); }});
    item->Save();
    item->Save();
    EXPECT_EQ(called, (std::vector<std::string>{"first", "third", "third"}));
}

TEST_F(ItemSave, AnObjectReleasedByItsOwnWriteHandlerStillFinishesTheSave) {
    auto item = NewObject();
    ContactItem* raw = item.get();
    auto release = item->Advise({.Write = [&](bool&) { item.reset(); }});
    raw->Put(ContactField::FileAs, "Anne");
    raw->Save();
    EXPECT_EQ(ann.Stored(ContactField::FileAs), "Anne");
}

}  // namespace
}  // namespace telvane::memory
