#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "common/outlook/ContactItem.h"
#include "common/outlook/Folders.h"
#include "common/outlook/Items.h"
#include "common/outlook/MAPIFolder.h"
#include "common/outlook/NameSpace.h"
#include "platform/memory/outlook/MailClient.h"

namespace telvane::memory {
namespace {

using Counts = std::vector<std::pair<std::string, std::uint64_t>>;

class CallCount : public ::testing::Test {
protected:
    CallCount() {
        for (int i = 0; i < 3; ++i)
            contacts.AddContact({.BusinessFaxNumber = "0123"});
        contacts.AddDistributionList("Team");
    }

    MailClient client;
    FolderHandle contacts = client.AddStore("Store").AddFolder("Contacts", outlook::olContactItem);
};

TEST_F(CallCount, EveryObjectModelCallIsCountedByOperation) {
    auto folder =
        client.Application()->GetNamespace("MAPI")->Folders()->Item(1)->Folders()->Item(1);
    auto items = folder->Items();
    for (std::int32_t i = 1; i <= items->Count(); ++i) {
        auto item = items->Item(i);
        if (item->GetProperty("Class").AsInt32() == outlook::olContact) {
            item->AsContactItem()->BusinessFaxNumber();
        }
    }
    EXPECT_EQ(client.Calls().Called(), (Counts{
                                           {"Application.GetNamespace", 1},
                                           {"NameSpace.Folders", 1},
                                           {"Folders.Item", 2},
                                           {"MAPIFolder.Folders", 1},
                                           {"MAPIFolder.Items", 1},
                                           {"Items.Count", 5},
                                           {"Items.Item", 4},
                                           {"Item.Class", 4},
                                           {"Item.AsContactItem", 3},
                                           {"ContactItem.BusinessFaxNumber.Get", 3},
                                       }));
    EXPECT_EQ(client.Calls().Total(), 25u);
    EXPECT_EQ(client.Calls().Count("Items.Item"), 4u);
}

TEST_F(CallCount, FailedCallsCountAndResetStartsAgain) {
    contacts.FailOn("Items.Count", 1);
    EXPECT_THROW(contacts.Object()->Items()->Count(), RaisedError);
    EXPECT_EQ(client.Calls().Count("Items.Count"), 1u);
    client.Calls().Reset();
    EXPECT_EQ(client.Calls().Total(), 0u);
    EXPECT_TRUE(client.Calls().Called().empty());
}

TEST_F(CallCount, WhatTheTestAndTheUserDoIsNotCounted) {
    auto window = client.OpenInspector(contacts.Item(1));
    window.Edit(outlook::ContactField::FileAs, "Ann");
    window.Save();
    window.Close();
    contacts.Item(2).NewObject();
    contacts.AddContact();
    client.ShowOptionsDialog();
    EXPECT_EQ(client.Calls().Total(), 0u);
    EXPECT_EQ(contacts.Item(1).Stored(outlook::ContactField::FileAs), "Ann");
}

TEST_F(CallCount, UnknownOperationNamesAreRejected) {
    EXPECT_THROW(client.Calls().Count("Items.Itme"), std::invalid_argument);
}

}  // namespace
}  // namespace telvane::memory
