#pragma once

#include <cstdint>
#include <memory>

#include "apps/benchmark/FaxManagerSession.h"
#include "platform/memory/outlook/MailClient.h"

namespace telvane::bench {

// A mail client with ten stores whose folders nest several levels deep, three subfolders to a
// folder: a contact folder, a mail folder and a calendar in turn, so contact folders lie
// directly in stores, inside other contact folders and below folders of other kinds. Each
// contact folder holds a few contacts. The options tab is set up on the client.
class LargeFolderTree {
public:
    static constexpr std::int32_t Stores = 10;

    // `folders` counts every folder, the stores included.
    explicit LargeFolderTree(std::int32_t folders);
    LargeFolderTree(const LargeFolderTree&) = delete;
    LargeFolderTree& operator=(const LargeFolderTree&) = delete;

    static LargeFolderTree& OfSize(std::int32_t folders);

    memory::MailClient& Client() { return m_client; }
    FaxManagerSession& Session() { return *m_session; }

    std::int32_t Folders() const { return m_folders; }
    std::int32_t ContactFolders() const { return m_contactFolders; }

private:
    memory::MailClient m_client;
    std::int32_t m_folders = 0;
    std::int32_t m_contactFolders = 0;
    std::unique_ptr<FaxManagerSession> m_session;
};

}  // namespace telvane::bench
