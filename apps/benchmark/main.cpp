// The fax manager on large in-memory stores: choosing a contact folder (the list is generated),
// Hide All, Update after Hide All, and the folder tree built when the manager opens. Beside
// each time: object-model calls per item, the same for a bare loop making only the calls the
// work needs, and their ratio. Growth is fitted to n log n across the sizes.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <iostream>
#include <string>

#include "apps/benchmark/BareLoop.h"
#include "apps/benchmark/CallBreakdown.h"
#include "apps/benchmark/LargeContactFolder.h"
#include "apps/benchmark/LargeFolderTree.h"
#include "apps/benchmark/TimedRuns.h"

namespace telvane::bench {
namespace {

constexpr double MinSeconds = 0.3;

constexpr auto Report = &TimedRuns::Report;
constexpr auto Failed = &TimedRuns::Failed;
constexpr auto Mismatch = &TimedRuns::Mismatch;
constexpr auto CheckList = &TimedRuns::CheckList;
constexpr auto FolderNode = &TimedRuns::FolderNode;

double BareListCalls(LargeContactFolder& folder) {
    auto& calls = folder.Client().Calls();
    const auto before = calls.Total();
    benchmark::DoNotOptimize(BareLoop::ReadList(*folder.FolderObject()));
    return static_cast<double>(calls.Total() - before) / folder.Items();
}

double BareUpdateCalls(LargeContactFolder& folder) {
    auto& calls = folder.Client().Calls();
    folder.Restore();
    const auto before = calls.Total();
    BareLoop::HideContacts(*folder.FolderObject(), folder.ShownPositions());
    const auto made = calls.Total() - before;
    folder.Restore();
    return static_cast<double>(made) / static_cast<double>(folder.ShownPositions().size());
}

double BareTreeCalls(LargeFolderTree& tree) {
    auto& calls = tree.Client().Calls();
    const auto before = calls.Total();
    benchmark::DoNotOptimize(BareLoop::ReadTree(*tree.Session().Library().m_objSite));
    return static_cast<double>(calls.Total() - before) / tree.Folders();
}

void ListGeneration(benchmark::State& state) {
    auto& folder = LargeContactFolder::OfSize(static_cast<std::int32_t>(state.range(0)));
    folder.Restore();
    TimedRuns::ListGeneration(state, folder, folder.Session(), BareListCalls(folder));
}

void ListGenerationBareLoop(benchmark::State& state) {
    auto& folder = LargeContactFolder::OfSize(static_cast<std::int32_t>(state.range(0)));
    folder.Restore();
    auto& calls = folder.Client().Calls();
    auto object = folder.FolderObject();
    BareLoop::ListResult result;
    const auto before = calls.Total();
    for (auto _ : state)
        result = BareLoop::ReadList(*object);
    const auto made = calls.Total() - before;
    if (Failed(state, Mismatch("contacts listed", result.listed, folder.FaxContacts())))
        return;
    state.SetComplexityN(state.range(0));
    Report(state, folder.Items(), made, -1);
}

// Hide All after Show All, so that every entry's tick changes: list work only, no object-model
// calls.
void HideAll(benchmark::State& state) {
    auto& folder = LargeContactFolder::OfSize(static_cast<std::int32_t>(state.range(0)));
    folder.Restore();
    auto& calls = folder.Client().Calls();
    std::uint64_t made = 0;
    const std::string error =
        TimedRuns::OnContactFolder(folder.Session(), [&](frmFaxManager& form, const auto& node) {
            form.tvContacts.UserClickNode(node);
            for (auto _ : state) {
                state.PauseTiming();
                form.cmdSelect(1).UserClick();
                const auto before = calls.Total();
                state.ResumeTiming();
                form.cmdSelect(0).UserClick();
                made += calls.Total() - before;
            }
            return CheckList(form, folder, folder.FaxContacts());
        });
    if (Failed(state, error))
        return;
    state.SetComplexityN(state.range(0));
    Report(state, folder.FaxContacts(), made, -1);
}

void UpdateAfterHideAll(benchmark::State& state) {
    auto& folder = LargeContactFolder::OfSize(static_cast<std::int32_t>(state.range(0)));
    const double bare = BareUpdateCalls(folder);
    TimedRuns::UpdateAfterHideAll(state, folder, folder.Session(), bare);
}

void UpdateBareLoop(benchmark::State& state) {
    auto& folder = LargeContactFolder::OfSize(static_cast<std::int32_t>(state.range(0)));
    auto& calls = folder.Client().Calls();
    auto object = folder.FolderObject();
    std::uint64_t made = 0;
    std::int32_t saved = 0;
    for (auto _ : state) {
        state.PauseTiming();
        folder.Restore();
        const auto before = calls.Total();
        state.ResumeTiming();
        saved = BareLoop::HideContacts(*object, folder.ShownPositions());
        made += calls.Total() - before;
    }
    const auto pending = static_cast<std::int32_t>(folder.ShownPositions().size());
    std::string error = Mismatch("contacts saved", saved, pending);
    if (error.empty()) {
        error = Mismatch("contacts stored hidden", folder.StoredHidden(), folder.FaxContacts());
    }
    folder.Restore();
    if (Failed(state, error))
        return;
    state.SetComplexityN(state.range(0));
    Report(state, pending, made, -1);
}

// The tree built when the fax manager opens: every folder of ten stores walked.
void FolderTreeBuild(benchmark::State& state) {
    auto& tree = LargeFolderTree::OfSize(static_cast<std::int32_t>(state.range(0)));
    const double bare = BareTreeCalls(tree);
    auto& calls = tree.Client().Calls();
    auto& library = tree.Session().Library();
    const auto before = calls.Total();
    for (auto _ : state)
        library.modFaxManager.LoadContactFolders();
    const auto made = calls.Total() - before;

    std::int32_t tagged = 0;
    const auto& nodes = library.frmFaxManager.Get().tvContacts.Nodes();
    for (const auto& node : nodes.All())
        tagged += node->Tag() == "F";
    std::string error = Mismatch("contact-folder nodes", tagged, tree.ContactFolders());
    if (error.empty()) {
        error = Mismatch("store nodes", static_cast<std::int64_t>(nodes.Roots().size()),
                         LargeFolderTree::Stores);
    }
    library.modFaxManager.CloseFaxManager();
    if (Failed(state, error))
        return;
    state.SetComplexityN(state.range(0));
    Report(state, tree.Folders(), made, bare);
}

void FolderTreeBareLoop(benchmark::State& state) {
    auto& tree = LargeFolderTree::OfSize(static_cast<std::int32_t>(state.range(0)));
    auto& calls = tree.Client().Calls();
    auto& site = *tree.Session().Library().m_objSite;
    BareLoop::TreeResult result;
    const auto before = calls.Total();
    for (auto _ : state)
        result = BareLoop::ReadTree(site);
    const auto made = calls.Total() - before;
    if (Failed(state, Mismatch("contact folders", result.contactFolders, tree.ContactFolders()))) {
        return;
    }
    state.SetComplexityN(state.range(0));
    Report(state, tree.Folders(), made, -1);
}

void ContactSizes(benchmark::internal::Benchmark* b) {
    b->Arg(1000)->Arg(10000)->Arg(40000);
    b->Unit(benchmark::kMillisecond)->MinTime(MinSeconds)->Complexity(benchmark::oNLogN);
}

void FolderSizes(benchmark::internal::Benchmark* b) {
    b->Arg(1000)->Arg(4000)->Arg(16000);
    b->Unit(benchmark::kMillisecond)->MinTime(MinSeconds)->Complexity(benchmark::oNLogN);
}

BENCHMARK(ListGeneration)->Apply(ContactSizes);
BENCHMARK(ListGenerationBareLoop)->Apply(ContactSizes);
BENCHMARK(HideAll)->Apply(ContactSizes);
BENCHMARK(UpdateAfterHideAll)->Apply(ContactSizes);
BENCHMARK(UpdateBareLoop)->Apply(ContactSizes);
BENCHMARK(FolderTreeBuild)->Apply(FolderSizes);
BENCHMARK(FolderTreeBareLoop)->Apply(FolderSizes);

// Each path once on the smallest stores, operation by operation.
void PrintBreakdown(std::ostream& out) {
    auto& folder = LargeContactFolder::OfSize(1000);
    auto& calls = folder.Client().Calls();
    out << "\nObject-model calls per item, by operation (" << folder.Contacts()
        << " contacts; a + marks more calls than the bare loop)\n\n";

    CallBreakdown list("List generation, per folder item", folder.Items());
    const auto pending = static_cast<double>(folder.ShownPositions().size());
    CallBreakdown update("Update after Hide All, per pending contact", pending);
    folder.Restore();
    folder.Session().WithFaxManager([&](frmFaxManager& form) {
        std::string error;
        auto node = FolderNode(form, error);
        if (!node)
            return;
        calls.Reset();
        form.tvContacts.UserClickNode(node);
        list.TakeProduct(calls);
        form.cmdSelect(0).UserClick();
        calls.Reset();
        form.cmdUpdate.UserClick();
        update.TakeProduct(calls);
    });
    folder.Restore();
    calls.Reset();
    BareLoop::ReadList(*folder.FolderObject());
    list.TakeBare(calls);
    calls.Reset();
    BareLoop::HideContacts(*folder.FolderObject(), folder.ShownPositions());
    update.TakeBare(calls);
    folder.Restore();
    list.Print(out);
    update.Print(out);

    auto& tree = LargeFolderTree::OfSize(1000);
    auto& treeCalls = tree.Client().Calls();
    auto& library = tree.Session().Library();
    CallBreakdown build("Folder tree build, per folder", tree.Folders());
    treeCalls.Reset();
    library.modFaxManager.LoadContactFolders();
    build.TakeProduct(treeCalls);
    library.modFaxManager.CloseFaxManager();
    treeCalls.Reset();
    BareLoop::ReadTree(*library.m_objSite);
    build.TakeBare(treeCalls);
    build.Print(out);
}

}  // namespace
}  // namespace telvane::bench

int main(int argc, char** argv) {
    // --no_breakdown leaves out the per-operation table printed after the benchmarks.
    bool breakdown = true;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--no_breakdown") == 0) {
            breakdown = false;
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (breakdown)
        telvane::bench::PrintBreakdown(std::cout);
    return 0;
}
