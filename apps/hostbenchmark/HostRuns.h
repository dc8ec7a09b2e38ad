#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "apps/hostbenchmark/MailClientHost.h"
#include "platform/memory/outlook/MailClient.h"

namespace telvane::bench {

// What the mail client watches, timed through the real DLLs in the stand-in mail client:
// the add-in's start-up and shut-down, a save from a contact window with
// and without it, the options tab to its first paint, and the fax manager's opening from the tab on
// stores of many folders beside the same opening in-process on the Win32 host and the headless one.
// An opening whose estimated time (from the growth between the last two shapes) is over the budget
// is skipped with the estimate, so that a slow tree cannot hold the run for hours. Every run is
// timed by hand (the end of most is a paint inside a modal loop) and checks what it left; a wrong
// result skips the benchmark with the reason.
class HostRuns {
public:
    explicit HostRuns(double budgetSeconds);
    HostRuns(const HostRuns&) = delete;
    HostRuns& operator=(const HostRuns&) = delete;
    ~HostRuns();

    // Registers every benchmark of this run on `this`.
    void Register();

private:
    // Start-up then shut-down, the one or the other timed.
    void Cycle(benchmark::State& state, bool timeStartUp);
    void Save(benchmark::State& state, bool withAddIn);
    void OptionsTab(benchmark::State& state);
    void FaxManagerThroughDll(benchmark::State& state);
    void FaxManagerInProcess(benchmark::State& state, bool native);

    // Why the opening on `host` at that many folders is skipped, or empty.
    std::string OverBudget(const std::string& host, std::int32_t folders) const;
    void Measured(const std::string& host, std::int32_t folders, double seconds);

    // The sample mail client's host with the add-in connected; empty while it is not.
    MailClientHost& ConnectedSample(std::string& error);
    void DisconnectSample();

    struct Opening {
        std::int32_t folders = 0;
        double seconds = 0;
    };
    double m_budgetSeconds;
    // Each host's slowest opening at its largest shape measured so far, and at the shape
    // before it.
    std::map<std::string, Opening> m_lastOpening;
    std::map<std::string, Opening> m_earlierOpening;
    std::string m_prepared;
    memory::MailClient m_sample;
    std::optional<memory::FolderHandle> m_contacts;
    std::optional<memory::ExplorerHandle> m_explorer;
    std::unique_ptr<MailClientHost> m_sampleHost;
};

}  // namespace telvane::bench
