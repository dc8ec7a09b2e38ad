#include "platform/memory/outlook/ItemHandle.h"

#include "platform/memory/outlook/ClientState.h"
#include "platform/memory/outlook/MemoryItem.h"

namespace telvane::memory {

ItemHandle::ItemHandle(std::shared_ptr<ClientState> state, std::shared_ptr<ItemRecord> record)
    : m_state(std::move(state)), m_record(std::move(record)) {}

outlook::OlObjectClass ItemHandle::Class() const {
    return m_record->itemClass;
}
const std::string& ItemHandle::Subject() const {
    return m_record->subject;
}
ContactFields ItemHandle::Stored() const {
    return *m_record->stored;
}

std::string ItemHandle::Stored(outlook::ContactField field) const {
    return m_record->stored->Get(field);
}

void ItemHandle::SetStored(outlook::ContactField field, std::string text) const {
    auto changed = std::make_shared<ContactFields>(*m_record->stored);
    changed->Set(field, std::move(text));
    m_record->stored = std::move(changed);
}

std::int32_t ItemHandle::Saves() const {
    return m_record->saves;
}

std::shared_ptr<outlook::Item> ItemHandle::NewObject() const {
    return std::make_shared<MemoryItem>(m_state, m_record);
}

void ItemHandle::FailOn(std::string_view call, std::int32_t number) const {
    FailOn(call, Failure{.number = number});
}

void ItemHandle::FailOn(std::string_view call, Failure failure) const {
    m_state->PlanFailure(m_record->failures, OperationScope::Item, call, std::move(failure));
}

void ItemHandle::ClearFailures() const {
    m_record->failures.Clear(m_state->armedFailures);
}

bool ItemHandle::IsTargetOf(const RecordedCall& call) const {
    return call.target == &m_record->failures;
}

}  // namespace telvane::memory
