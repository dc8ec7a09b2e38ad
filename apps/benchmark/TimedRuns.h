#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "apps/benchmark/FaxManagerSession.h"
#include "apps/benchmark/LargeContactFolder.h"

namespace telvane::bench {

// The fax manager's timed operations on a large folder, through any session on it, so that
// one window host can be measured against another on the same work: each is timed from the
// user's click to the windows at rest, their painting of the result included, and starts with
// the windows at rest. Each checks what the operation left and skips the benchmark with the
// reason when it is wrong.
class TimedRuns {
public:
    // Choosing the contact folder in the tree: GenerateFaxList over every item. `bareCalls` is
    // the bare loop's calls per item, or negative when there is none to compare with.
    static void ListGeneration(benchmark::State& state, LargeContactFolder& folder,
                               FaxManagerSession& session, double bareCalls);
    // Update after Hide All: every fax contact without a hidden number is written and saved.
    // Each run starts from the built store and a fresh list; only the Update is timed.
    static void UpdateAfterHideAll(benchmark::State& state, LargeContactFolder& folder,
                                   FaxManagerSession& session, double bareCalls);

    // Time, throughput and calls per item; the ratio only where a bare loop makes calls.
    static void Report(benchmark::State& state, double items, std::uint64_t calls,
                       double bareCalls);
    // Skips the benchmark with the reason unless it is empty.
    static bool Failed(benchmark::State& state, const std::string& error);
    static std::string Mismatch(const char* what, std::int64_t actual, std::int64_t expected);
    // What a list generation must leave: one entry per fax contact, `ticked` of them ticked,
    // and no failure reported to the user.
    static std::string CheckList(const frmFaxManager& form, const LargeContactFolder& folder,
                                 std::int32_t ticked);
    static std::shared_ptr<forms::Node> FolderNode(const frmFaxManager& form, std::string& error);

    // Runs `work` with the fax manager open and the large folder's node; answers what went
    // wrong (empty when nothing did), `work`'s own answer included.
    using FolderWork =
        std::function<std::string(frmFaxManager&, const std::shared_ptr<forms::Node>&)>;
    static std::string OnContactFolder(FaxManagerSession& session, const FolderWork& work);
};

}  // namespace telvane::bench
