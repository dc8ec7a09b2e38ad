#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "apps/benchmark/FaxManagerSession.h"
#include "platform/memory/outlook/ItemRecord.h"
#include "platform/memory/outlook/MailClient.h"

namespace telvane::bench {

// A mail client whose one store holds a contact folder of a large address book: a third of
// the contacts have fax numbers, half of those hidden; the rest have none; a distribution list
// sits after every 500th contact. Names repeat and arrive unsorted, as real ones do. The
// options tab is set up on the client.
class LargeContactFolder {
public:
    static constexpr const char* FolderName = "Contacts";

    explicit LargeContactFolder(std::int32_t contacts);
    LargeContactFolder(const LargeContactFolder&) = delete;
    LargeContactFolder& operator=(const LargeContactFolder&) = delete;

    // Built once per size and kept for the run: building 40,000 contacts costs more than the
    // operations measured on them.
    static LargeContactFolder& OfSize(std::int32_t contacts);

    memory::MailClient& Client() { return m_client; }
    FaxManagerSession& Session() { return *m_session; }
    std::shared_ptr<outlook::MAPIFolder> FolderObject() const { return m_folder.Object(); }

    std::int32_t Contacts() const { return m_contacts; }
    std::int32_t Items() const { return m_folder.ItemCount(); }
    std::int32_t FaxContacts() const { return static_cast<std::int32_t>(m_faxContacts.size()); }
    std::int32_t HiddenContacts() const { return m_hidden; }
    // Positions of the fax contacts with no hidden number: the entries Hide All leaves pending.
    const std::vector<std::int32_t>& ShownPositions() const { return m_shownPositions; }

    // Fax contacts whose stored copy now has a hidden number.
    std::int32_t StoredHidden() const;
    // Puts every fax contact back as it was built, so that each run starts from the same store.
    void Restore();

private:
    struct Original {
        std::shared_ptr<memory::ItemRecord> record;
        std::shared_ptr<const memory::ContactFields> stored;
    };

    memory::MailClient m_client;
    memory::FolderHandle m_folder;
    std::int32_t m_contacts;
    std::int32_t m_hidden = 0;
    std::vector<Original> m_faxContacts;
    std::vector<std::int32_t> m_shownPositions;
    std::unique_ptr<FaxManagerSession> m_session;
};

}  // namespace telvane::bench
