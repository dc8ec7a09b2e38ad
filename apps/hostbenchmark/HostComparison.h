#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace telvane::bench {

// Prints the console report and gathers each benchmark's real time by operation, host and
// size (names "Operation/host" with the size as arguments, several multiplied); at the end, a
// table of every operation's time on the Win32 host beside the headless one's and their ratio, and,
// where an operation ran at two sizes or more, the same for what the contacts between the smallest
// and the largest size cost: the time per contact without what the operation costs once. With
// repetitions the medians are compared.
class HostComparison : public benchmark::ConsoleReporter {
public:
    explicit HostComparison(double goal) : m_goal(goal) {}

    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

protected:
    struct Time {
        double milliseconds = 0;
        bool median = false;
        std::string error;
    };
    using Hosts = std::map<std::string, Time>;
    // operation -> size -> host -> time
    using Times = std::map<std::string, std::map<long, Hosts>>;
    const Times& AllTimes() const { return m_times; }
    // An operation's size as its arguments were given, e.g. "20x250" for 5000. Keyed by
    // operation too: two operations may reach one product from different arguments.
    const std::string& SizeName(const std::string& operation, long size) const {
        return m_sizeNames.at({operation, size});
    }

private:
    void Print(std::ostream& out) const;
    void PrintRow(std::ostream& out, const std::string& operation, const std::string& size,
                  const std::string& host, double time, double reference) const;

    double m_goal;
    Times m_times;
    std::map<std::pair<std::string, long>, std::string> m_sizeNames;
};

}  // namespace telvane::bench
