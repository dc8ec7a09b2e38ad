#include "platform/memory/outlook/InspectorHandle.h"

#include "platform/memory/outlook/MemoryInspector.h"
#include "platform/memory/outlook/MemoryItem.h"

namespace telvane::memory {

InspectorHandle::InspectorHandle(std::shared_ptr<MemoryInspector> inspector)
    : m_inspector(std::move(inspector)) {}

void InspectorHandle::Edit(outlook::ContactField field, std::string text) const {
    m_inspector->Item()->Edit(field, std::move(text));
}

void InspectorHandle::Save() const {
    // The item object may be released by the handlers Save raises.
    std::shared_ptr<MemoryItem> item = m_inspector->Item();
    item->SaveFromWindow();
}

void InspectorHandle::Close() const {
    m_inspector->CloseWindow();
}
bool InspectorHandle::IsOpen() const {
    return m_inspector->IsOpen();
}
ContactFields InspectorHandle::Shown() const {
    return m_inspector->Item()->Open();
}
std::shared_ptr<outlook::Inspector> InspectorHandle::Object() const {
    return m_inspector;
}
std::shared_ptr<outlook::Item> InspectorHandle::Item() const {
    return m_inspector->Item();
}

}  // namespace telvane::memory
