#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "apps/hostbenchmark/MailClientHost.h"
#include "platform/memory/outlook/MailClient.h"

namespace telvane::bench {

// What the mail client watches, timed through the real DLLs in the stand-in mail client:
// the add-in's start-up and shut-down, a save from a contact window with and without it, the
// options tab to its first paint, and the fax manager's opening from the tab on stores of
// many folders beside the same opening in-process on the Win32 host and the headless one.
// Every run is timed by hand (the end of most is a paint inside a modal loop) and checks what
// it left; a wrong result skips the benchmark with the reason.
class HostRuns {
public:
    HostRuns();
    HostRuns(const HostRuns&) = delete;
    HostRuns& operator=(const HostRuns&) = delete;
    ~HostRuns();

    // Registers every benchmark of this run on `this`.
    void Register();

private:
    void StartUp(benchmark::State& state);
    void ShutDown(benchmark::State& state);
    void Save(benchmark::State& state, bool withAddIn);
    void OptionsTab(benchmark::State& state);
    void FaxManagerThroughDll(benchmark::State& state);
    void FaxManagerInProcess(benchmark::State& state, bool native);

    // The sample mail client's host with the add-in connected; empty while it is not.
    MailClientHost& ConnectedSample(std::string& error);
    void DisconnectSample();

    std::string m_prepared;
    memory::MailClient m_sample;
    std::optional<memory::FolderHandle> m_contacts;
    std::optional<memory::ExplorerHandle> m_explorer;
    std::unique_ptr<MailClientHost> m_sampleHost;
};

}  // namespace telvane::bench
