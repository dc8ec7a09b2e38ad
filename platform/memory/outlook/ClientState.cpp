#include "platform/memory/outlook/ClientState.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <stdexcept>

#include "common/outlook/RaisedError.h"

#include "platform/memory/outlook/MemoryApplication.h"
#include "platform/memory/outlook/MemoryExplorer.h"
#include "platform/memory/outlook/MemoryInspector.h"

namespace telvane::memory {
namespace {

template <class T>
void Erase(std::vector<std::shared_ptr<T>>& windows, const T* window) {
    windows.erase(std::remove_if(windows.begin(), windows.end(),
                                 [window](const auto& open) { return open.get() == window; }),
                  windows.end());
}

void ClearTree(FolderRecord& folder, std::size_t& armed) {
    folder.failures.Clear(armed);
    for (auto& item : folder.items)
        item->failures.Clear(armed);
    for (auto& sub : folder.folders)
        ClearTree(*sub, armed);
}

}  // namespace

ClientState::ClientState() {
    root->name = "Mapi";
}

std::shared_ptr<MemoryApplication> ClientState::Application() {
    auto application = m_application.lock();
    if (!application) {
        application = std::make_shared<MemoryApplication>(shared_from_this());
        m_application = application;
    }
    return application;
}

std::shared_ptr<MemoryExplorer> ClientState::ActiveExplorer() const {
    if (noActiveExplorer || explorers.empty())
        return nullptr;
    return explorers.back();
}

void ClientState::Activate(const std::shared_ptr<MemoryExplorer>& explorer) {
    Erase(explorers, explorer.get());
    explorers.push_back(explorer);
    noActiveExplorer = false;
}

void ClientState::Forget(const MemoryExplorer* explorer) {
    Erase(explorers, explorer);
}
void ClientState::Forget(const MemoryInspector* inspector) {
    Erase(inspectors, inspector);
}

std::string ClientState::NewEntryId() {
    char text[49];
    std::snprintf(text, sizeof text, "00000000A2F1C30B5E7D4A1C9B2E6F80%016llX",
                  static_cast<unsigned long long>(++m_lastEntryId));
    return text;
}

outlook::Subscription ClientState::Track(outlook::Subscription subscription) {
    ++*m_liveSubscriptions;
    // std::function needs a copyable target; the subscription itself is move-only.
    auto inner = std::make_shared<outlook::Subscription>(std::move(subscription));
    return outlook::Subscription(
        [inner, counter = std::weak_ptr<std::int32_t>(m_liveSubscriptions)] {
            inner->Reset();
            if (auto live = counter.lock())
                --*live;
        });
}

void ClientState::PlanFailure(FailureTable& table, OperationScope scope, std::string_view name,
                              Failure failure) {
    auto operation = FindOperation(name, scope);
    if (!operation) {
        throw std::invalid_argument("no such call to fail here: " + std::string(name));
    }
    table.Add(*operation, std::move(failure), armedFailures);
}

void ClientState::FailCallFromNow(std::uint64_t k, Failure failure, bool every) {
    if (failure.description.empty())
        failure.description = "Call failed";
    // Made first: it refuses k = 0 before anything here changes.
    CallCountdown<Failure> countdown(k, std::move(failure), every);
    if (!m_countdown)
        ++armedFailures;
    m_countdown = std::move(countdown);
}

void ClientState::ClearAllFailures() {
    if (m_countdown) {
        m_countdown.reset();
        --armedFailures;
    }
    failures.Clear(armedFailures);
    ClearTree(*root, armedFailures);
}

void ClientState::Shutdown() {
    explorers.clear();
    inspectors.clear();
}

void ClientState::CheckFailures(Operation operation, FailureTable* target, std::int32_t position) {
    if (recording)
        recorded.push_back({operation, target, position});
    if (m_countdown) {
        if (const Failure* failure = m_countdown->Next())
            throw RaisedError(failure->number, failure->source, failure->description);
    }
    if (target != nullptr)
        target->Check(operation, position, armedFailures);
    failures.Check(operation, position, armedFailures);
}

}  // namespace telvane::memory
