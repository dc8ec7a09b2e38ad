#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace telvane::bench {

// Prints the console report and, at the end, each bridged operation's time per call beside the
// raw call's on the same object and their ratio against its goal. Names are "Operation/bridge"
// and "Operation/raw"; with repetitions the medians are compared.
class BridgeRatioReporter final : public benchmark::ConsoleReporter {
public:
    // Goal of each operation: the largest bridge-to-raw ratio that passes.
    explicit BridgeRatioReporter(std::map<std::string, double> goals) : m_goals(std::move(goals)) {}

    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    struct Time {
        double nanoseconds = 0;
        bool median = false;
        int repetitions = 1;
    };

    std::map<std::string, double> m_goals;
    // operation -> "bridge" or "raw" -> time
    std::map<std::string, std::map<std::string, Time>> m_times;
};

}  // namespace telvane::bench
