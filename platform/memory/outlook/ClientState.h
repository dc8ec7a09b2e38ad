#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/outlook/Application.h"
#include "common/outlook/Inspectors.h"
#include "platform/memory/CallCountdown.h"
#include "platform/memory/outlook/CallCounter.h"
#include "platform/memory/outlook/EventSource.h"
#include "platform/memory/outlook/FailureTable.h"
#include "platform/memory/outlook/FolderRecord.h"
#include "platform/memory/outlook/HandlerError.h"
#include "platform/memory/outlook/RecordedCall.h"

namespace telvane::memory {

class MemoryApplication;
class MemoryExplorer;
class MemoryInspector;

// Everything one mail client holds, shared by its objects and the test's handles. Objects
// keep it alive, so an object the product still holds stays usable after the MailClient
// is gone.
class ClientState : public std::enable_shared_from_this<ClientState> {
public:
    ClientState();

    // The start of every object-model call: counts it and raises a planned failure.
    // `target` is the table of the folder or item the call works on.
    void Enter(Operation operation, FailureTable* target = nullptr, std::int32_t position = 0) {
        calls.Add(operation);
        if (armedFailures != 0 || recording)
            CheckFailures(operation, target, position);
    }

    // Fails the k-th call from now (k >= 1) and, with `every`, each call after it too, whatever
    // the call; the plan stays until ClearAllFailures. Tests use it to try every failure point.
    void FailCallFromNow(std::uint64_t k, Failure failure, bool every);
    // Calls counted since the plan was made, and the ordinal of the first one that failed by
    // it (0 while none did).
    std::uint64_t CountdownCalls() const { return m_countdown ? m_countdown->Calls() : 0; }
    std::uint64_t CountdownFiredAt() const { return m_countdown ? m_countdown->FiredAt() : 0; }

    // The one application object while anyone holds it.
    std::shared_ptr<MemoryApplication> Application();
    std::shared_ptr<MemoryExplorer> ActiveExplorer() const;
    void Activate(const std::shared_ptr<MemoryExplorer>& explorer);
    void Forget(const MemoryExplorer* explorer);
    void Forget(const MemoryInspector* inspector);

    std::string NewEntryId();
    // Counts the subscription while it lasts.
    outlook::Subscription Track(outlook::Subscription subscription);
    std::int32_t LiveSubscriptions() const { return *m_liveSubscriptions; }

    // Plans a failure on `table` for the operation `name` as a handle of `scope` spells it;
    // an unknown name throws std::invalid_argument.
    void PlanFailure(FailureTable& table, OperationScope scope, std::string_view name,
                     Failure failure);
    void ClearAllFailures();
    // Drops the open windows, which hold this state: without it the two would keep each
    // other alive.
    void Shutdown();

    CallCounter calls;
    FailureTable failures;  // for every object of the client
    std::size_t armedFailures = 0;
    std::shared_ptr<FolderRecord> root = std::make_shared<FolderRecord>();
    std::vector<HandlerError> handlerErrors;
    EventSource<outlook::Application::Events> applicationEvents;
    EventSource<outlook::Inspectors::Events> inspectorsEvents;
    // Open windows, counted by Explorers.Count and Inspectors.Count. Explorers are kept in
    // the order they were last activated, so the last one is the active explorer.
    std::vector<std::shared_ptr<MemoryExplorer>> explorers;
    std::vector<std::shared_ptr<MemoryInspector>> inspectors;
    bool noActiveExplorer = false;
    std::int32_t liveObjects = 0;
    // While set, every call is appended to `recorded`.
    bool recording = false;
    std::vector<RecordedCall> recorded;

private:
    void CheckFailures(Operation operation, FailureTable* target, std::int32_t position);

    std::weak_ptr<MemoryApplication> m_application;
    std::optional<CallCountdown<Failure>> m_countdown;
    std::uint64_t m_lastEntryId = 0;
    std::shared_ptr<std::int32_t> m_liveSubscriptions = std::make_shared<std::int32_t>(0);
};

}  // namespace telvane::memory
