#include "apps/bridgebenchmark/BridgeRatioReporter.h"

#include <cstdio>
#include <ostream>

#include "apps/benchmark/RunTime.h"

namespace telvane::bench {

void BridgeRatioReporter::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.error_occurred)
            continue;
        if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median")
            continue;
        const std::string& name = run.run_name.function_name;
        const auto slash = name.find('/');
        if (slash == std::string::npos)
            continue;
        Time& time = m_times[name.substr(0, slash)][name.substr(slash + 1)];
        // A median, once there is one, stands for its repetitions.
        if (time.median && run.run_type != Run::RT_Aggregate)
            continue;
        time.median = run.run_type == Run::RT_Aggregate;
        time.repetitions = static_cast<int>(run.repetitions);
        time.nanoseconds = RunTime::Seconds(run) * 1e9;
    }
}

void BridgeRatioReporter::Finalize() {
    ConsoleReporter::Finalize();
    std::ostream& out = GetOutputStream();
    char line[160];
    std::snprintf(line, sizeof line, "\n%-8s %12s %12s %8s %6s %s\n", "call", "bridge ns", "raw ns",
                  "ratio", "goal", "repetitions");
    out << line;
    for (const auto& [operation, goal] : m_goals) {
        const auto found = m_times.find(operation);
        if (found == m_times.end())
            continue;
        const auto bridge = found->second.find("bridge");
        const auto raw = found->second.find("raw");
        if (bridge == found->second.end() || raw == found->second.end() ||
            raw->second.nanoseconds <= 0) {
            continue;
        }
        const double ratio = bridge->second.nanoseconds / raw->second.nanoseconds;
        std::snprintf(line, sizeof line, "%-8s %12.1f %12.1f %7.2fx %5.1fx %d%s%s\n",
                      operation.c_str(), bridge->second.nanoseconds, raw->second.nanoseconds, ratio,
                      goal, bridge->second.repetitions, bridge->second.median ? " (medians)" : "",
                      ratio <= goal ? "" : "  over");
        out << line;
    }
}

}  // namespace telvane::bench
