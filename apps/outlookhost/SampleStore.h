#pragma once

#include "platform/memory/outlook/MailClient.h"

namespace telvane::outlookhost {

// The mail the host starts with: one store, "Personal Folders", with an "Inbox" holding one
// mail ("Hello") and a "Contacts" folder holding "Ann Archer" (business fax shown), "Bob Baker"
// (home fax hidden) and "Cy Cole" (no fax number).
class SampleStore {
public:
    static memory::FolderHandle Build(memory::MailClient& client);
};

}  // namespace telvane::outlookhost
