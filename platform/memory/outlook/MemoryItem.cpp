#include "platform/memory/outlook/MemoryItem.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "common/outlook/RaisedError.h"
#include "platform/memory/outlook/MemoryInspector.h"
#include "platform/memory/outlook/OutlookErrors.h"

namespace telvane::memory {
namespace {

using outlook::ContactField;

constexpr std::array<ContactField, 8> Fields = {
    ContactField::HomeFaxNumber, ContactField::OtherFaxNumber, ContactField::BusinessFaxNumber,
    ContactField::FirstName,     ContactField::LastName,       ContactField::FileAs,
    ContactField::CompanyName,   ContactField::JobTitle,
};

// Late-bound names are matched without regard to case, as automation does.
bool SameName(const std::string& name, const char* known) {
    std::string_view expected(known);
    return name.size() == expected.size() &&
           std::equal(name.begin(), name.end(), expected.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

[[noreturn]] void RaiseUnknownProperty(const std::string& name) {
    throw RaisedError(OutlookErrors::UnknownProperty, OutlookErrors::Source,
                      "Object doesn't support this property or method: " + name);
}

}  // namespace

MemoryItem::MemoryItem(std::shared_ptr<ClientState> state, std::shared_ptr<ItemRecord> record)
    : ClientObject(std::move(state)), m_record(std::move(record)), m_open(m_record->stored) {}

Variant MemoryItem::GetProperty(const std::string& name) {
    if (SameName(name, "Class")) {
        m_state->Enter(Operation::ItemClass, &m_record->failures);
        return static_cast<std::int32_t>(m_record->itemClass);
    }
    if (m_record->itemClass == outlook::olContact) {
        for (ContactField field : Fields) {
            if (SameName(name, outlook::ContactFieldName(field)))
                return Get(field);
        }
    }
    m_state->Enter(Operation::ItemGetProperty, &m_record->failures);
    if (SameName(name, "Subject"))
        return m_record->subject;
    if (m_record->itemClass == outlook::olDistributionList && SameName(name, "DLName")) {
        return m_record->subject;
    }
    RaiseUnknownProperty(name);
}

std::shared_ptr<outlook::ContactItem> MemoryItem::AsContactItem() {
    m_state->Enter(Operation::ItemAsContactItem, &m_record->failures);
    if (m_record->itemClass != outlook::olContact) {
        throw RaisedError(RaisedError::TypeMismatch, OutlookErrors::Source, "Type mismatch");
    }
    return shared_from_this();
}

std::string MemoryItem::Get(ContactField field) {
    m_state->Enter(FieldGet(field), &m_record->failures);
    RequireContact();
    return m_open->Get(field);
}

void MemoryItem::Put(ContactField field, const std::string& text) {
    m_state->Enter(FieldPut(field), &m_record->failures);
    RequireContact();
    Edit(field, text);
}

void MemoryItem::Edit(ContactField field, std::string text) {
    // The open copy may be the stored snapshot itself, so a write works on a copy of it.
    auto changed = std::make_shared<ContactFields>(*m_open);
    changed->Set(field, std::move(text));
    m_open = std::move(changed);
    m_changed = true;
}

void MemoryItem::Save() {
    m_state->Enter(Operation::ContactSave, &m_record->failures);
    WriteAndStore();
}

void MemoryItem::Close(outlook::OlInspectorClose saveMode) {
    m_state->Enter(Operation::ContactClose, &m_record->failures);
    auto self = shared_from_this();  // a Close handler may release the last other reference
    switch (saveMode) {
        case outlook::olSave:
            if (!WriteAndStore())
                return;
            break;
        case outlook::olPromptForSave:
            // Nobody sits at the prompt: a changed item is saved as if the user said yes.
            if (m_changed && !WriteAndStore())
                return;
            break;
        case outlook::olDiscard:
            m_open = m_record->stored;
            m_changed = false;
            break;
        default:
            throw RaisedError(RaisedError::InvalidArgument, OutlookErrors::Source,
                              "Invalid SaveMode " + std::to_string(saveMode));
    }
    if (auto window = m_window.lock())
        window->CloseWindow();
}

outlook::Subscription MemoryItem::Advise(const Events& handlers) {
    m_state->Enter(Operation::ContactAdvise, &m_record->failures);
    return m_state->Track(m_events.Advise(handlers));
}

void MemoryItem::RequireContact() const {
    if (m_record->itemClass != outlook::olContact) {
        RaiseUnknownProperty("contact field");
    }
}

bool MemoryItem::WriteAndStore() {
    // Handlers may release every reference to this object, and re-enter it through Close.
    auto self = shared_from_this();
    auto state = m_state;
    bool cancel = false;
    m_events.Raise(&Events::Write, "ContactItem.Write", state->handlerErrors, cancel);
    if (cancel)
        return false;
    m_record->stored = m_open;
    ++m_record->saves;
    m_changed = false;
    return true;
}

}  // namespace telvane::memory
