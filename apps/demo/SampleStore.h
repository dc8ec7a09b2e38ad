#pragma once

#include "platform/memory/outlook/MailClient.h"

namespace telvane::demo {

// The built-in sample: two stores with a few contact folders (one nested in another, one below a
// mail folder, one empty, one with a distribution list) and contacts whose fax numbers are
// hidden, shown or absent.
class SampleStore {
public:
    explicit SampleStore(memory::MailClient& client);

    memory::FolderHandle personal;
    memory::FolderHandle contacts;
    memory::FolderHandle suppliers;
    memory::FolderHandle oldContacts;
    memory::FolderHandle sales;
    memory::FolderHandle salesContacts;

    memory::ItemHandle ann;
    memory::ItemHandle bob;
};

}  // namespace telvane::demo
