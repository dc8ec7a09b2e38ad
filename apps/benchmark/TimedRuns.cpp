#include "apps/benchmark/TimedRuns.h"

namespace telvane::bench {

void TimedRuns::Report(benchmark::State& state, double items, std::uint64_t calls,
                       double bareCalls) {
    const auto iterations = static_cast<double>(state.iterations());
    state.SetItemsProcessed(static_cast<std::int64_t>(items * iterations));
    state.counters["items"] = items;
    const double perItem = static_cast<double>(calls) / (items * iterations);
    state.counters["calls/item"] = perItem;
    if (bareCalls >= 0) {
        state.counters["bare/item"] = bareCalls;
        if (bareCalls > 0)
            state.counters["ratio"] = perItem / bareCalls;
    }
    state.counters["time/item"] = benchmark::Counter(
        items, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

bool TimedRuns::Failed(benchmark::State& state, const std::string& error) {
    if (error.empty())
        return false;
    state.SkipWithError(error.c_str());
    return true;
}

std::string TimedRuns::Mismatch(const char* what, std::int64_t actual, std::int64_t expected) {
    if (actual == expected)
        return {};
    return std::string(what) + ": " + std::to_string(actual) + ", expected " +
           std::to_string(expected);
}

std::string TimedRuns::CheckList(const frmFaxManager& form, const LargeContactFolder& folder,
                                 std::int32_t ticked) {
    if (!form.LastMessage().empty())
        return "the window reported: " + form.LastMessage();
    std::int32_t seen = 0;
    for (int i = 0; i < form.lstContacts.ListCount(); ++i)
        seen += form.lstContacts.Selected(i);
    const std::string entries =
        Mismatch("list entries", form.lstContacts.ListCount(), folder.FaxContacts());
    return entries.empty() ? Mismatch("ticked entries", seen, ticked) : entries;
}

std::shared_ptr<forms::Node> TimedRuns::FolderNode(const frmFaxManager& form, std::string& error) {
    auto node = FaxManagerSession::ContactFolderNode(form, LargeContactFolder::FolderName);
    if (!node)
        error = "the tree shows no contact folder";
    return node;
}

std::string TimedRuns::OnContactFolder(FaxManagerSession& session, const FolderWork& work) {
    std::string error = "the fax manager did not open";
    session.WithFaxManager([&](frmFaxManager& form) {
        error.clear();
        if (auto node = FolderNode(form, error))
            error = work(form, node);
    });
    return error;
}

void TimedRuns::ListGeneration(benchmark::State& state, LargeContactFolder& folder,
                               FaxManagerSession& session, double bareCalls) {
    folder.Restore();
    auto& calls = folder.Client().Calls();
    std::uint64_t made = 0;
    const std::string error = OnContactFolder(session, [&](frmFaxManager& form, const auto& node) {
        session.Settle();
        const auto before = calls.Total();
        for (auto _ : state) {
            form.tvContacts.UserClickNode(node);
            session.Settle();
        }
        made = calls.Total() - before;
        return CheckList(form, folder, folder.HiddenContacts());
    });
    if (Failed(state, error))
        return;
    state.SetComplexityN(state.range(0));
    Report(state, folder.Items(), made, bareCalls);
}

void TimedRuns::UpdateAfterHideAll(benchmark::State& state, LargeContactFolder& folder,
                                   FaxManagerSession& session, double bareCalls) {
    auto& calls = folder.Client().Calls();
    std::uint64_t made = 0;
    const std::string error = OnContactFolder(session, [&](frmFaxManager& form, const auto& node) {
        for (auto _ : state) {
            state.PauseTiming();
            folder.Restore();
            form.tvContacts.UserClickNode(node);
            form.cmdSelect(0).UserClick();
            session.Settle();
            const auto before = calls.Total();
            state.ResumeTiming();
            form.cmdUpdate.UserClick();
            session.Settle();
            made += calls.Total() - before;
        }
        const std::string list = CheckList(form, folder, folder.FaxContacts());
        return list.empty()
                   ? Mismatch("contacts stored hidden", folder.StoredHidden(), folder.FaxContacts())
                   : list;
    });
    folder.Restore();
    if (Failed(state, error))
        return;
    state.SetComplexityN(state.range(0));
    Report(state, static_cast<double>(folder.ShownPositions().size()), made, bareCalls);
}

}  // namespace telvane::bench
