#pragma once

#include <memory>
#include <string>

#include "common/outlook/ContactItem.h"
#include "platform/memory/outlook/ClientObject.h"

namespace telvane::memory {

class MemoryInspector;

// One item object: a contact, a distribution list or a mail. It reads its open copy from the
// stored copy when created; field writes change the open copy only, and Save or
// Close(olSave) raise Write on this object's subscribers and then store the open copy.
class MemoryItem : public outlook::ContactItem,
                   public std::enable_shared_from_this<MemoryItem>,
                   private ClientObject {
public:
    MemoryItem(std::shared_ptr<ClientState> state, std::shared_ptr<ItemRecord> record);

    Variant GetProperty(const std::string& name) override;
    std::shared_ptr<outlook::ContactItem> AsContactItem() override;
    std::string Get(outlook::ContactField field) override;
    void Put(outlook::ContactField field, const std::string& text) override;
    void Save() override;
    void Close(outlook::OlInspectorClose saveMode) override;
    outlook::Subscription Advise(const Events& handlers) override;

    // What the user does in the item's window; neither is an object-model call.
    void SaveFromWindow() { WriteAndStore(); }
    void Edit(outlook::ContactField field, std::string text);

    const ContactFields& Open() const { return *m_open; }
    std::shared_ptr<MemoryInspector> Window() const { return m_window.lock(); }
    void ShowIn(const std::shared_ptr<MemoryInspector>& window) { m_window = window; }

private:
    void RequireContact() const;
    // Raises Write; stores the open copy unless a handler cancelled. Answers whether it stored.
    bool WriteAndStore();

    std::shared_ptr<ItemRecord> m_record;
    std::shared_ptr<const ContactFields> m_open;
    bool m_changed = false;
    std::weak_ptr<MemoryInspector> m_window;
    EventSource<outlook::ContactItem::Events> m_events;
};

}  // namespace telvane::memory
