#include "apps/outlookhost/SampleStore.h"

namespace telvane::outlookhost {

memory::FolderHandle SampleStore::Build(memory::MailClient& client) {
    memory::FolderHandle store = client.AddStore("Personal Folders");
    store.AddFolder("Inbox", outlook::olMailItem).AddMail("Hello");
    memory::FolderHandle contacts = store.AddFolder("Contacts", outlook::olContactItem);
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

}  // namespace telvane::outlookhost
