#pragma once

#include "tests/optionspage/PageFixture.h"

namespace telvane {

// A mail client with two stores: contact folders at the top of a store, nested in a contact
// folder, below a mail folder and empty, and one store with none.
class FaxManagerFixture : public PageFixture {
protected:
    memory::FolderHandle personal = client.AddStore("Personal Folders");
    memory::FolderHandle contacts = personal.AddFolder("Contacts", outlook::olContactItem);
    memory::ItemHandle ann = contacts.AddContact(
        {.FileAs = "Archer, Ann", .FirstName = "Ann", .BusinessFaxNumber = "0123"});
    memory::ItemHandle bob =
        contacts.AddContact({.FileAs = "Baker, Bob", .HomeFaxNumber = "Fax: 0456"});
    memory::ItemHandle carla = contacts.AddContact({.FileAs = "Cruz, Carla"});
    memory::ItemHandle dan = contacts.AddContact(
        {.FileAs = "Dorsey, Dan", .BusinessFaxNumber = "Fax: 0123", .HomeFaxNumber = "0456"});
    memory::ItemHandle team = contacts.AddDistributionList("Team");
    memory::ItemHandle eve =
        contacts.AddContact({.FileAs = "ellis, eve", .OtherFaxNumber = "0789"});
    memory::FolderHandle suppliers = contacts.AddFolder("Suppliers", outlook::olContactItem);
    memory::ItemHandle fiona =
        suppliers.AddContact({.FileAs = "Fox, Fiona", .BusinessFaxNumber = "029"});
    memory::FolderHandle oldContacts =
        personal.AddFolder("Archive").AddFolder("Old Contacts", outlook::olContactItem);
    memory::FolderHandle empty = personal.AddFolder("Empty", outlook::olContactItem);
    memory::FolderHandle sales = client.AddStore("Mailbox - Sales");

    // Clicks the folder's node as the user does.
    static void Choose(frmFaxManager& form, const std::string& name) {
        auto node = NodeNamed(form, name);
        ASSERT_TRUE(node);
        ASSERT_TRUE(form.tvContacts.UserClickNode(node));
    }
    static void Close(frmFaxManager& form) { ASSERT_TRUE(form.cmdCancel.UserClick()); }
};

}  // namespace telvane
