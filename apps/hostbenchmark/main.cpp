// The fax manager's list generation and Update after Hide All on a folder of 40,000 contacts,
// once through the headless window host and once through the Win32 one with real windows, in
// one run; then each operation's times side by side and their ratio. Then what the mail client
// watches, through Telvane.dll and TelvanePage.dll in the stand-in mail client (HostRuns), each
// beside its goal. Run it under Wine with a display (scripts/windows/bench.sh).

// Product headers come before <windows.h>, whose macros share their names.
#include "apps/benchmark/LargeContactFolder.h"
#include "apps/benchmark/TimedRuns.h"
#include "apps/hostbenchmark/FolderWalk.h"
#include "apps/hostbenchmark/HostRuns.h"
#include "apps/hostbenchmark/HostSummary.h"
#include "apps/hostbenchmark/Win32FaxManagerSession.h"
#include "apps/outlookhost/ComApartment.h"

#include <windows.h>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>

namespace telvane::bench {
namespace {

constexpr double Goal = 1.5;
// Two sizes, so that what each contact costs can be told from what an operation costs once
// (painting the windows when it starts and ends).
constexpr std::int32_t Sizes[] = {10000, 40000};

enum class Host { Headless, Win32 };

FaxManagerSession& SessionOn(LargeContactFolder& folder, Host host) {
    if (host == Host::Headless)
        return folder.Session();
    static std::map<LargeContactFolder*, std::unique_ptr<Win32FaxManagerSession>> sessions;
    auto& session = sessions[&folder];
    if (!session)
        session = std::make_unique<Win32FaxManagerSession>(folder.Client());
    return *session;
}

void ListGeneration(benchmark::State& state, Host host) {
    auto& folder = LargeContactFolder::OfSize(static_cast<std::int32_t>(state.range(0)));
    TimedRuns::ListGeneration(state, folder, SessionOn(folder, host), -1);
}

void UpdateAfterHideAll(benchmark::State& state, Host host) {
    auto& folder = LargeContactFolder::OfSize(static_cast<std::int32_t>(state.range(0)));
    TimedRuns::UpdateAfterHideAll(state, folder, SessionOn(folder, host), -1);
}

enum class Walk { InProcess, Bridged, Raw };

// The fax manager's calls on every folder, without its window.
void FolderWalkRun(benchmark::State& state, Walk how) {
    auto& forest = StoreForest::OfShape(static_cast<std::int32_t>(state.range(0)),
                                        static_cast<std::int32_t>(state.range(1)));
    static std::map<StoreForest*, std::unique_ptr<FolderWalk>> walks;
    auto& walk = walks[&forest];
    if (!walk)
        walk = std::make_unique<FolderWalk>(forest);
    walk->ResetInvokes();
    std::int32_t found = 0;
    for (auto _ : state) {
        found = how == Walk::InProcess ? walk->InProcess()
                : how == Walk::Bridged ? walk->Bridged()
                                       : walk->Raw();
    }
    if (found != forest.ContactFolders()) {
        state.SkipWithError(("the walk found " + std::to_string(found) + " contact folders, not " +
                             std::to_string(forest.ContactFolders()))
                                .c_str());
        return;
    }
    state.counters["folders"] = forest.Folders();
    state.counters["invokes/folder"] = static_cast<double>(walk->Invokes()) /
                                       static_cast<double>(state.iterations()) / forest.Folders();
}

void Register() {
    for (const auto& [name, how] :
         {std::pair{"memory", Walk::InProcess}, std::pair{"bridge", Walk::Bridged},
          std::pair{"raw", Walk::Raw}}) {
        benchmark::RegisterBenchmark((std::string("FolderWalk/") + name).c_str(), FolderWalkRun,
                                     how)
            ->Args({1, 100})
            ->Args({20, 250})
            ->Unit(benchmark::kMillisecond)
            ->MinTime(0.5)
            ->UseRealTime();
    }
    for (const auto& [name, host] :
         {std::pair{"headless", Host::Headless}, std::pair{"win32", Host::Win32}}) {
        for (const auto& [operation, run] :
             {std::pair{"ListGeneration", &ListGeneration},
              std::pair{"UpdateAfterHideAll", &UpdateAfterHideAll}}) {
            const std::string title = std::string(operation) + "/" + name;
            benchmark::RegisterBenchmark(title.c_str(), run, host)
                ->Arg(Sizes[0])
                ->Arg(Sizes[1])
                ->Unit(benchmark::kMillisecond)
                ->MinTime(1.0)
                ->UseRealTime();
        }
    }
}

}  // namespace
}  // namespace telvane::bench

int main(int argc, char** argv) {
    // --opening_budget=SECONDS: the longest estimated fax manager opening that is run (20 s).
    double budget = 20;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--opening_budget=", 17) == 0)
            budget = std::strtod(argv[i] + 17, nullptr);
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    // The mail client's user-interface thread is a single-threaded apartment.
    telvane::outlookhost::ComApartment apartment;
    if (FAILED(apartment.Result()))
        return 2;
    telvane::bench::Register();
    {
        telvane::bench::HostRuns runs(budget);
        runs.Register();
        telvane::bench::HostSummary summary(telvane::bench::Goal);
        benchmark::RunSpecifiedBenchmarks(&summary);
    }
    benchmark::Shutdown();
    return 0;
}
