#include <gtest/gtest.h>

#include <set>
#include <string>

#include "common/outlook/Folders.h"
#include "common/outlook/Items.h"
#include "common/outlook/NameSpace.h"
#include "platform/memory/outlook/MailClient.h"
#include "platform/memory/outlook/Operation.h"
#include "platform/memory/outlook/OutlookErrors.h"
#include "tests/memory_outlook/Raises.h"

namespace telvane::memory {
namespace {

using outlook::ContactField;
using testing::Raises;

constexpr ContactField AllFields[] = {
    ContactField::HomeFaxNumber, ContactField::OtherFaxNumber, ContactField::BusinessFaxNumber,
    ContactField::FirstName,     ContactField::LastName,       ContactField::FileAs,
    ContactField::CompanyName,   ContactField::JobTitle,
};

TEST(StoreTree, NamespaceListsStoresAndTheirFoldersInOrder) {
    MailClient client;
    auto personal = client.AddStore("Personal Folders");
    personal.AddFolder("Inbox");
    auto contacts = personal.AddFolder("Contacts", outlook::olContactItem);
    contacts.AddFolder("Friends", outlook::olContactItem);
    client.AddStore("Archive");

    auto stores = client.Application()->GetNamespace("MAPI")->Folders();
    ASSERT_EQ(stores->Count(), 2);
    EXPECT_EQ(stores->Item(1)->Name(), "Personal Folders");
    EXPECT_EQ(stores->Item(2)->Name(), "Archive");
    EXPECT_EQ(stores->Item(1)->DefaultItemType(), outlook::olMailItem);

    auto sub = stores->Item(1)->Folders();
    ASSERT_EQ(sub->Count(), 2);
    EXPECT_EQ(sub->Item(1)->Name(), "Inbox");
    EXPECT_EQ(sub->Item(2)->DefaultItemType(), outlook::olContactItem);
    EXPECT_EQ(sub->Item(2)->Folders()->Item(1)->Name(), "Friends");
    EXPECT_EQ(sub->Item(2)->EntryID(), contacts.EntryID());
}

TEST(StoreTree, MapiIsTheOnlyNamespace) {
    MailClient client;
    EXPECT_NE(client.Application()->GetNamespace("mapi"), nullptr);
    EXPECT_TRUE(
        Raises(RaisedError::InvalidArgument, [&] { client.Application()->GetNamespace("LDAP"); }));
}

TEST(StoreTree, EntryIdsAreDistinctAcrossStores) {
    MailClient client;
    std::set<std::string> ids;
    for (auto store : {client.AddStore("A"), client.AddStore("B")}) {
        ids.insert(store.EntryID());
        for (int i = 0; i < 3; ++i) {
            auto folder = store.AddFolder("Contacts", outlook::olContactItem);
            ids.insert(folder.EntryID());
            ids.insert(folder.AddFolder("Contacts").EntryID());
        }
    }
    EXPECT_EQ(ids.size(), 14u);
    EXPECT_EQ(ids.count(""), 0u);
}

TEST(StoreTree, PositionsOutsideOneToCountRaise) {
    MailClient client;
    auto store = client.AddStore("Store");
    store.AddFolder("Contacts", outlook::olContactItem).AddContact();
    store.AddFolder("Inbox");
    auto folders = store.Object()->Folders();
    auto items = store.Folder(1).Object()->Items();
    for (std::int32_t bad : {0, -1, 3}) {
        EXPECT_TRUE(Raises(OutlookErrors::IndexOutOfBounds, [&] { folders->Item(bad); }))
            << "Folders.Item(" << bad << ")";
    }
    for (std::int32_t bad : {0, -1, 2}) {
        EXPECT_TRUE(Raises(OutlookErrors::IndexOutOfBounds, [&] { items->Item(bad); }))
            << "Items.Item(" << bad << ")";
    }
}

TEST(StoreTree, ClassAnswersTheKindOfEveryItem) {
    MailClient client;
    auto folder = client.AddStore("Store").AddFolder("Contacts", outlook::olContactItem);
    folder.AddContact({.FileAs = "Ann"});
    folder.AddDistributionList("Team");
    folder.AddMail("Hello");
    const std::int32_t expected[] = {40, 69, 43};
    auto items = folder.Object()->Items();
    ASSERT_EQ(items->Count(), 3);
    for (std::int32_t i = 1; i <= 3; ++i) {
        EXPECT_EQ(items->Item(i)->GetProperty("Class"), Variant(expected[i - 1])) << "item " << i;
    }
}

TEST(StoreTree, ContactFieldsReadTheSameByNameAndByAccessor) {
    MailClient client;
    auto folder = client.AddStore("Store").AddFolder("Contacts", outlook::olContactItem);
    ContactFields fields;
    for (auto field : AllFields)
        fields.Set(field, std::string("text of ") + ContactFieldName(field));
    folder.AddContact(fields);

    auto item = folder.Object()->Items()->Item(1);
    auto contact = item->AsContactItem();
    for (auto field : AllFields) {
        EXPECT_EQ(item->GetProperty(ContactFieldName(field)), Variant(fields.Get(field)));
        EXPECT_EQ(contact->Get(field), fields.Get(field));
    }
    EXPECT_EQ(contact->BusinessFaxNumber(), "text of BusinessFaxNumber");
}

TEST(StoreTree, NamesAnItemDoesNotHaveRaise) {
    MailClient client;
    auto folder = client.AddStore("Store").AddFolder("Contacts", outlook::olContactItem);
    folder.AddContact();
    folder.AddDistributionList("Team");
    auto items = folder.Object()->Items();
    EXPECT_TRUE(
        Raises(OutlookErrors::UnknownProperty, [&] { items->Item(1)->GetProperty("Fax"); }));
    EXPECT_TRUE(Raises(OutlookErrors::UnknownProperty,
                       [&] { items->Item(2)->GetProperty("BusinessFaxNumber"); }));
    EXPECT_EQ(items->Item(2)->GetProperty("DLName"), Variant("Team"));
}

TEST(StoreTree, OnlyContactsCanBeTakenAsContacts) {
    MailClient client;
    auto folder = client.AddStore("Store").AddFolder("Contacts", outlook::olContactItem);
    folder.AddContact();
    folder.AddDistributionList("Team");
    folder.AddMail("Hello");
    auto items = folder.Object()->Items();
    auto contact = items->Item(1);
    EXPECT_EQ(contact->AsContactItem().get(), contact.get()) << "a contact is its own ContactItem";
    for (std::int32_t i : {2, 3}) {
        EXPECT_TRUE(Raises(RaisedError::TypeMismatch, [&] { items->Item(i)->AsContactItem(); }))
            << "item " << i;
    }
}

TEST(StoreTree, CollectionsSeeChangesMadeBehindTheirBack) {
    MailClient client;
    auto store = client.AddStore("Store");
    auto folder = store.AddFolder("Contacts", outlook::olContactItem);
    folder.AddContact({.FileAs = "Ann"});
    folder.AddContact({.FileAs = "Bob"});
    auto items = folder.Object()->Items();
    auto subfolders = store.Object()->Folders();
    auto fileAsAt = [&](std::int32_t i) { return items->Item(i)->GetProperty("FileAs").AsText(); };

    folder.InsertContact(1, {.FileAs = "Cy"});
    EXPECT_EQ(items->Count(), 3);
    EXPECT_EQ(fileAsAt(1), "Cy");
    auto bob = folder.RemoveItem(3);
    EXPECT_EQ(bob.Stored(ContactField::FileAs), "Bob");
    EXPECT_EQ(items->Count(), 2);

    auto other = store.AddFolder("Other", outlook::olContactItem);
    other.InsertItem(1, folder.Item(1));
    EXPECT_EQ(items->Count(), 1) << "an item lives in one folder at a time";
    EXPECT_EQ(fileAsAt(1), "Ann");
    folder.Rename("People");
    EXPECT_EQ(subfolders->Count(), 2);
    EXPECT_EQ(subfolders->Item(1)->Name(), "People");
}

TEST(StoreTree, MovingAnItemWithinItsFolderCountsPositionsWithoutIt) {
    MailClient client;
    auto folder = client.AddStore("Store").AddFolder("Contacts", outlook::olContactItem);
    for (const char* name : {"A", "B", "C"})
        folder.AddContact({.FileAs = name});
    folder.InsertItem(3, folder.Item(1));
    std::string order;
    for (std::int32_t i = 1; i <= folder.ItemCount(); ++i) {
        order += folder.Item(i).Stored(ContactField::FileAs);
    }
    EXPECT_EQ(order, "BCA");
    EXPECT_THROW(folder.InsertItem(4, folder.Item(1)), std::out_of_range);
}

TEST(StoreTree, EveryContactFieldHasItsOwnGetAndPutOperation) {
    for (auto field : AllFields) {
        std::string name = ContactFieldName(field);
        EXPECT_EQ(OperationName(FieldGet(field)), "ContactItem." + name + ".Get");
        EXPECT_EQ(OperationName(FieldPut(field)), "ContactItem." + name + ".Put");
    }
}

}  // namespace
}  // namespace telvane::memory
