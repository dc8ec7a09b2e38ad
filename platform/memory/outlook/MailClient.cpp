#include "platform/memory/outlook/MailClient.h"

#include <stdexcept>

#include "platform/memory/outlook/ClientState.h"
#include "platform/memory/outlook/MemoryApplication.h"
#include "platform/memory/outlook/MemoryExplorer.h"
#include "platform/memory/outlook/MemoryInspector.h"
#include "platform/memory/outlook/MemoryItem.h"
#include "platform/memory/outlook/MemoryPropertyPages.h"

namespace telvane::memory {

MailClient::MailClient()
    : m_state(std::make_shared<ClientState>()), m_application(m_state->Application()) {}

MailClient::~MailClient() {
    m_state->Shutdown();
}

std::shared_ptr<outlook::Application> MailClient::Application() const {
    return m_application;
}

FolderHandle MailClient::AddStore(std::string name) const {
    return FolderHandle(m_state, m_state->root).AddFolder(std::move(name), outlook::olMailItem);
}

std::int32_t MailClient::StoreCount() const {
    return FolderHandle(m_state, m_state->root).FolderCount();
}

FolderHandle MailClient::Store(std::int32_t position) const {
    return FolderHandle(m_state, m_state->root).Folder(position);
}

void MailClient::RemoveStore(std::int32_t position) const {
    FolderHandle(m_state, m_state->root).RemoveFolder(position);
}

ExplorerHandle MailClient::OpenExplorer() {
    auto explorer = std::make_shared<MemoryExplorer>(m_state);
    m_state->Activate(explorer);
    return ExplorerHandle(explorer);
}

InspectorHandle MailClient::OpenInspector(const ItemHandle& item) {
    return OpenInspector(std::make_shared<MemoryItem>(m_state, item.Record()));
}

InspectorHandle MailClient::OpenInspector(const std::shared_ptr<outlook::Item>& item) {
    auto memoryItem = std::dynamic_pointer_cast<MemoryItem>(item);
    if (!memoryItem)
        throw std::invalid_argument("not an item of the in-memory mail client");
    if (auto shown = memoryItem->Window(); shown && shown->IsOpen()) {
        return InspectorHandle(shown);
    }
    auto inspector = std::make_shared<MemoryInspector>(m_state, memoryItem);
    memoryItem->ShowIn(inspector);
    m_state->inspectors.push_back(inspector);
    std::shared_ptr<outlook::Inspector> announced = inspector;
    m_state->inspectorsEvents.Raise(&outlook::Inspectors::Events::NewInspector,
                                    "Inspectors.NewInspector", m_state->handlerErrors, announced);
    return InspectorHandle(inspector);
}

void MailClient::ClearActiveExplorer() {
    m_state->noActiveExplorer = true;
}

std::int32_t MailClient::ExplorerCount() const {
    return static_cast<std::int32_t>(m_state->explorers.size());
}

std::int32_t MailClient::InspectorCount() const {
    return static_cast<std::int32_t>(m_state->inspectors.size());
}

std::vector<AddedPage> MailClient::ShowOptionsDialog() {
    auto pages = std::make_shared<MemoryPropertyPages>(m_state);
    std::shared_ptr<outlook::PropertyPages> announced = pages;
    m_state->applicationEvents.Raise(&outlook::Application::Events::OptionsPagesAdd,
                                     "Application.OptionsPagesAdd", m_state->handlerErrors,
                                     announced);
    return pages->Added();
}

void MailClient::Quit() {
    m_state->applicationEvents.Raise(&outlook::Application::Events::Quit, "Application.Quit",
                                     m_state->handlerErrors);
}

std::shared_ptr<MemoryPropertyPageSite> MailClient::NewPropertyPageSite() const {
    return std::make_shared<MemoryPropertyPageSite>(m_state);
}

void MailClient::FailOn(std::string_view call, std::int32_t number) {
    FailOn(call, Failure{.number = number});
}

void MailClient::FailOn(std::string_view call, Failure failure) {
    m_state->PlanFailure(m_state->failures, OperationScope::Client, call, std::move(failure));
}

void MailClient::ClearFailures() {
    m_state->ClearAllFailures();
}

const std::vector<HandlerError>& MailClient::HandlerErrors() const {
    return m_state->handlerErrors;
}

void MailClient::ClearHandlerErrors() {
    m_state->handlerErrors.clear();
}

CallCounter& MailClient::Calls() {
    return m_state->calls;
}
const CallCounter& MailClient::Calls() const {
    return m_state->calls;
}
std::int32_t MailClient::LiveSubscriptions() const {
    return m_state->LiveSubscriptions();
}
void MailClient::FailCallFromNow(std::uint64_t k, Failure failure) {
    m_state->FailCallFromNow(k, std::move(failure), false);
}

void MailClient::FailCallsFromNow(std::uint64_t k, Failure failure) {
    m_state->FailCallFromNow(k, std::move(failure), true);
}

std::uint64_t MailClient::CountdownCalls() const {
    return m_state->CountdownCalls();
}

std::uint64_t MailClient::CountdownFiredAt() const {
    return m_state->CountdownFiredAt();
}

void MailClient::RecordCalls(bool on) {
    if (on)
        m_state->recorded.clear();
    m_state->recording = on;
}

const std::vector<RecordedCall>& MailClient::RecordedCalls() const {
    return m_state->recorded;
}

std::int32_t MailClient::LiveObjects() const {
    return m_state->liveObjects;
}

}  // namespace telvane::memory
