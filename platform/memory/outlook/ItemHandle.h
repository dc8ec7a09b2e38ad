#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "common/outlook/Item.h"
#include "platform/memory/outlook/ContactFields.h"
#include "platform/memory/outlook/Failure.h"
#include "platform/memory/outlook/RecordedCall.h"

namespace telvane::memory {

class ClientState;
struct ItemRecord;

// A test's handle on one stored item: reads and changes what is stored, behind the
// product's back, and plans failures of the item's calls. Cheap to copy.
class ItemHandle {
public:
    ItemHandle(std::shared_ptr<ClientState> state, std::shared_ptr<ItemRecord> record);

    outlook::OlObjectClass Class() const;
    // The mail's subject or the distribution list's name.
    const std::string& Subject() const;

    // What was last saved (copies: a later save replaces the stored copy).
    ContactFields Stored() const;
    std::string Stored(outlook::ContactField field) const;
    void SetStored(outlook::ContactField field, std::string text) const;
    // How many times the item was saved.
    std::int32_t Saves() const;

    // A fresh item object, as Items.Item answers it; not counted as a call.
    std::shared_ptr<outlook::Item> NewObject() const;

    // Fails calls on every object of this item: "Class", "BusinessFaxNumber.Get",
    // "BusinessFaxNumber.Put", "Save", "Close", "AsContactItem", "Advise", "GetProperty".
    void FailOn(std::string_view call, std::int32_t number) const;
    void FailOn(std::string_view call, Failure failure) const;
    void ClearFailures() const;
    // Whether a recorded call was made on this item (or, for a folder, its collections).
    bool IsTargetOf(const RecordedCall& call) const;

    const std::shared_ptr<ItemRecord>& Record() const { return m_record; }
    friend bool operator==(const ItemHandle& a, const ItemHandle& b) {
        return a.m_record == b.m_record;
    }

private:
    std::shared_ptr<ClientState> m_state;
    std::shared_ptr<ItemRecord> m_record;
};

}  // namespace telvane::memory
