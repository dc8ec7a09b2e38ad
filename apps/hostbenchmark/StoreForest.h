#pragma once

#include <cstdint>
#include <memory>

#include "platform/memory/outlook/MailClient.h"

namespace telvane::bench {

// A mail client with `stores` stores of `folders` folders each (the store itself not counted),
// nested three to a folder, contact folders and mail folders in turn, so that half of them are
// contact folders; each contact folder holds a few contacts. An explorer is open, as it is
// while the mail client runs.
class StoreForest {
public:
    StoreForest(std::int32_t stores, std::int32_t folders);
    StoreForest(const StoreForest&) = delete;
    StoreForest& operator=(const StoreForest&) = delete;

    // Built once per shape and kept for the run.
    static StoreForest& OfShape(std::int32_t stores, std::int32_t folders);

    memory::MailClient& Client() { return m_client; }
    std::int32_t Stores() const { return m_stores; }
    // Every folder below the stores.
    std::int32_t Folders() const { return m_folders; }
    std::int32_t ContactFolders() const { return m_contactFolders; }

private:
    memory::MailClient m_client;
    std::int32_t m_stores;
    std::int32_t m_folders = 0;
    std::int32_t m_contactFolders = 0;
    memory::ExplorerHandle m_explorer;
};

}  // namespace telvane::bench
