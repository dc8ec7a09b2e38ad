#include "tests/support/SampleStore.h"

namespace telvane::testsupport {

using outlook::olContactItem;
using outlook::olMailItem;

SampleStore::SampleStore(memory::MailClient& client)
    : personal(client.AddStore("Personal Folders")),
      contacts(personal.AddFolder("Contacts", olContactItem)),
      suppliers(contacts.AddFolder("Suppliers", olContactItem)),
      oldContacts(
          personal.AddFolder("Archive", olMailItem).AddFolder("Old Contacts", olContactItem)),
      sales(client.AddStore("Mailbox - Sales")),
      salesContacts(sales.AddFolder("Contacts", olContactItem)),
      ann(contacts.AddContact({.FileAs = "Archer, Ann",
                               .FirstName = "Ann",
                               .LastName = "Archer",
                               .CompanyName = "Archer Print Ltd",
                               .JobTitle = "Director",
                               .BusinessFaxNumber = "020 7946 0018"})),
      bob(contacts.AddContact({.FileAs = "Baker, Bob",
                               .FirstName = "Bob",
                               .LastName = "Baker",
                               .HomeFaxNumber = "Fax: 0161 496 0732"})) {
    personal.AddFolder("Inbox", olMailItem).AddMail("Welcome");
    contacts.AddContact({.FileAs = "Cruz, Carla", .FirstName = "Carla", .LastName = "Cruz"});
    contacts.AddContact({.FileAs = "Dorsey, Dan",
                         .FirstName = "Dan",
                         .LastName = "Dorsey",
                         .CompanyName = "Dorsey & Sons",
                         .BusinessFaxNumber = "Fax: 0113 496 0555",
                         .HomeFaxNumber = "0113 496 0999"});
    contacts.AddDistributionList("Team");
    contacts.AddContact({.FileAs = "Ellis, Eve",
                         .FirstName = "Eve",
                         .LastName = "Ellis",
                         .JobTitle = "Buyer",
                         .OtherFaxNumber = "0121 496 0444"});
    suppliers.AddContact({.FileAs = "Fox, Fiona",
                          .FirstName = "Fiona",
                          .LastName = "Fox",
                          .CompanyName = "Fox Paper",
                          .BusinessFaxNumber = "029 2018 0777"});
    suppliers.AddContact({.FileAs = "Gale, Greg",
                          .FirstName = "Greg",
                          .LastName = "Gale",
                          .BusinessFaxNumber = "Fax: 0131 496 0888"});
    oldContacts.AddContact({.FileAs = "Hume, Hal", .HomeFaxNumber = "0141 496 0123"});
    sales.AddFolder("Calendar", 1);
}

memory::FolderHandle SampleStore::Small(memory::MailClient& client) {
    memory::FolderHandle store = client.AddStore("Personal Folders");
    store.AddFolder("Inbox", olMailItem).AddMail("Hello");
    memory::FolderHandle contacts = store.AddFolder("Contacts", olContactItem);
    contacts.AddContact({.FileAs = "Ann Archer",
                         .FirstName = "Ann",
                         .LastName = "Archer",
                         .BusinessFaxNumber = "0123 456"});
    contacts.AddContact({.FileAs = "Bob Baker",
                         .FirstName = "Bob",
                         .LastName = "Baker",
                         .HomeFaxNumber = "Fax: 555 1234"});
    contacts.AddContact({.FileAs = "Cy Cole", .FirstName = "Cy", .LastName = "Cole"});
    // Shown until someone hides it: what the fax manager's Hide All has to change.
    contacts.AddContact({.FileAs = "Dee Dorsey",
                         .FirstName = "Dee",
                         .LastName = "Dorsey",
                         .OtherFaxNumber = "0777 888"});
    return contacts;
}

}  // namespace telvane::testsupport
