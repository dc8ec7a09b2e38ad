#include <gtest/gtest.h>

#include "common/FaxNumberRule.h"
#include "platform/memory/outlook/MailClient.h"

namespace telvane {
namespace {

using outlook::ContactField;

class FaxContactRule : public testing::Test {
protected:
    // The contact as the product sees it: a fresh item object with its own open copy.
    std::shared_ptr<outlook::ContactItem> Open(const memory::ItemHandle& item) {
        return item.NewObject()->AsContactItem();
    }
    void ForbidWrites(const memory::ItemHandle& item) {
        for (auto f : {"HomeFaxNumber.Put", "OtherFaxNumber.Put", "BusinessFaxNumber.Put"}) {
            item.FailOn(f, 4096);
        }
    }

    memory::MailClient client;
    memory::FolderHandle folder =
        client.AddStore("Personal Folders").AddFolder("Contacts", outlook::olContactItem);
};

TEST_F(FaxContactRule, HidingWritesOnlyTheFieldsThatChange) {
    auto item = folder.AddContact({.FileAs = "Ann", .BusinessFaxNumber = "0123"});
    item.FailOn("HomeFaxNumber.Put", 4096);
    item.FailOn("OtherFaxNumber.Put", 4096);
    auto contact = Open(item);

    EXPECT_TRUE(HideFaxNumbers(*contact));
    EXPECT_EQ(contact->BusinessFaxNumber(), "Fax: 0123");
}

TEST_F(FaxContactRule, ANothingToDoContactReportsNoChangeAndWritesNothing) {
    const memory::ContactFields cases[] = {
        {.FileAs = "none"},
        {.FileAs = "all hidden",
         .BusinessFaxNumber = "Fax: 1",
         .HomeFaxNumber = "Fax: 2",
         .OtherFaxNumber = "Fax: 3"},
    };
    for (const auto& fields : cases) {
        auto item = folder.AddContact(fields);
        ForbidWrites(item);
        auto contact = Open(item);
        EXPECT_FALSE(HideFaxNumbers(*contact)) << fields.FileAs;
    }
    auto shown = folder.AddContact({.FileAs = "shown", .HomeFaxNumber = "0456"});
    ForbidWrites(shown);
    EXPECT_FALSE(ShowFaxNumbers(*Open(shown)));
}

TEST_F(FaxContactRule, AMixedContactCountsAsHiddenAndHidesOnlyTheShownField) {
    auto item = folder.AddContact(
        {.FileAs = "Ann", .BusinessFaxNumber = "Fax: 0123", .HomeFaxNumber = "0456"});
    item.FailOn("BusinessFaxNumber.Put", 4096);
    auto contact = Open(item);

    EXPECT_TRUE(HasHiddenFaxNumber(*contact));
    EXPECT_TRUE(HideFaxNumbers(*contact));
    EXPECT_EQ(contact->HomeFaxNumber(), "Fax: 0456");
    EXPECT_EQ(contact->BusinessFaxNumber(), "Fax: 0123");
}

TEST_F(FaxContactRule, ShowingRemovesTheMarkerFromEveryHiddenField) {
    auto item = folder.AddContact({.FileAs = "Ann",
                                   .BusinessFaxNumber = "Fax: 0123",
                                   .HomeFaxNumber = "Fax: ",
                                   .OtherFaxNumber = "Fax: Fax: 9"});
    auto contact = Open(item);

    EXPECT_TRUE(ShowFaxNumbers(*contact));
    EXPECT_EQ(contact->BusinessFaxNumber(), "0123");
    EXPECT_EQ(contact->HomeFaxNumber(), "");
    EXPECT_EQ(contact->OtherFaxNumber(), "Fax: 9");
    EXPECT_TRUE(HasHiddenFaxNumber(*contact));
}

TEST_F(FaxContactRule, NeitherOperationSavesTheContact) {
    auto item = folder.AddContact({.FileAs = "Ann", .BusinessFaxNumber = "0123"});
    auto contact = Open(item);
    ASSERT_TRUE(HideFaxNumbers(*contact));
    contact.reset();
    EXPECT_EQ(item.Stored(ContactField::BusinessFaxNumber), "0123");
    EXPECT_EQ(item.Saves(), 0);
}

TEST_F(FaxContactRule, AFailingFieldStopsTheRuleAndKeepsEarlierWrites) {
    auto item =
        folder.AddContact({.FileAs = "Ann", .BusinessFaxNumber = "0123", .HomeFaxNumber = "0456"});
    item.FailOn("OtherFaxNumber.Get", 4096);
    auto contact = Open(item);

    try {
        HideFaxNumbers(*contact);
        ADD_FAILURE() << "the failure must reach the caller";
    } catch (const RaisedError& e) {
        EXPECT_EQ(e.Number(), 4096);
    }
    EXPECT_EQ(contact->HomeFaxNumber(), "Fax: 0456");
    EXPECT_EQ(contact->BusinessFaxNumber(), "0123") << "fields after the failure are untouched";
}

}  // namespace
}  // namespace telvane
