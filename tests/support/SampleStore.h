#pragma once

#include "platform/memory/outlook/MailClient.h"

namespace telvane::testsupport {

// The built-in sample: two stores with a few contact folders (one nested in another, one below a
// mail folder, one empty, one with a distribution list) and contacts whose fax numbers are
// hidden, shown or absent.
class SampleStore {
public:
    explicit SampleStore(memory::MailClient& client);

    // The stand-in mail client's smaller store, which its scenarios check by name: one store,
    // "Personal Folders", with an "Inbox" holding one mail ("Hello") and a "Contacts" folder
    // holding "Ann Archer" (business fax shown), "Bob Baker" (home fax hidden), "Cy Cole" (no fax
    // number) and "Dee Dorsey" (other fax shown). Returns the contacts folder.
    static memory::FolderHandle Small(memory::MailClient& client);

    memory::FolderHandle personal;
    memory::FolderHandle contacts;
    memory::FolderHandle suppliers;
    memory::FolderHandle oldContacts;
    memory::FolderHandle sales;
    memory::FolderHandle salesContacts;

    memory::ItemHandle ann;
    memory::ItemHandle bob;
};

}  // namespace telvane::testsupport
