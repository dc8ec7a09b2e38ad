#include "apps/hostbenchmark/HostComparison.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "apps/benchmark/RunTime.h"

namespace telvane::bench {
namespace {

constexpr const char* Reference = "headless";
// The host the goal is set for; others (the DLLs, with the object model over COM) are not
// compared here.
constexpr const char* Compared = "win32";

}  // namespace

void HostComparison::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median")
            continue;
        const std::string& name = run.run_name.function_name;
        const auto slash = name.find('/');
        if (slash == std::string::npos)
            continue;
        long size = 1;
        std::string sizeName;
        for (const char* at = run.run_name.args.c_str(); *at;) {
            char* end = nullptr;
            const long part = std::strtol(at, &end, 10);
            if (end == at)
                break;
            size *= part;
            sizeName.append(at, static_cast<std::size_t>(end - at));
            if (*end == '/') {
                sizeName += 'x';
                ++end;
            }
            at = end;
        }
        const std::string operation = name.substr(0, slash);
        m_sizeNames[{operation, size}] = sizeName;
        auto& time = m_times[operation][size][name.substr(slash + 1)];
        // A median, once there is one, stands for its repetitions.
        if (time.median && run.run_type != Run::RT_Aggregate)
            continue;
        time.median = run.run_type == Run::RT_Aggregate;
        time.milliseconds = run.error_occurred ? 0 : RunTime::Seconds(run) * 1e3;
        time.error = run.error_occurred ? run.error_message : std::string();
    }
}

void HostComparison::Finalize() {
    ConsoleReporter::Finalize();
    Print(GetOutputStream());
}

void HostComparison::PrintRow(std::ostream& out, const std::string& operation,
                              const std::string& size, const std::string& host, double time,
                              double reference) const {
    char line[160];
    const double ratio = time / reference;
    std::snprintf(line, sizeof line, "%-20s %13s %-8s %11.2f %11.2f %7.2fx%s\n", operation.c_str(),
                  size.c_str(), host.c_str(), time, reference, ratio,
                  ratio <= m_goal ? "" : "  over");
    out << line;
}

void HostComparison::Print(std::ostream& out) const {
    char line[160];
    std::snprintf(line, sizeof line,
                  "\nEach host against the %s one (real time in ms; goal: %.2fx at most)\n\n",
                  Reference, m_goal);
    out << line;
    std::snprintf(line, sizeof line, "%-20s %13s %-8s %11s %11s %8s\n", "operation", "size", "host",
                  "time", Reference, "ratio");
    out << line;
    auto usable = [](const Hosts& hosts, const std::string& host) -> const Time* {
        const auto found = hosts.find(host);
        return found != hosts.end() && found->second.error.empty() && found->second.milliseconds > 0
                   ? &found->second
                   : nullptr;
    };
    for (const auto& [operation, sizes] : m_times) {
        for (const auto& [size, hosts] : sizes) {
            const Time* reference = usable(hosts, Reference);
            for (const auto& [host, time] : hosts) {
                if (host != Compared)
                    continue;
                if (reference == nullptr || usable(hosts, host) == nullptr) {
                    out << operation << " " << size << " " << host << ": not measured"
                        << (time.error.empty() ? "" : " (" + time.error + ")") << "\n";
                    continue;
                }
                PrintRow(out, operation, SizeName(operation, size), host, time.milliseconds,
                         reference->milliseconds);
            }
        }
        if (sizes.size() < 2)
            continue;
        // What the contacts between the smallest and the largest size add.
        const auto& [low, lowHosts] = *sizes.begin();
        const auto& [high, highHosts] = *sizes.rbegin();
        const Time* lowReference = usable(lowHosts, Reference);
        const Time* highReference = usable(highHosts, Reference);
        if (lowReference == nullptr || highReference == nullptr)
            continue;
        const double reference = highReference->milliseconds - lowReference->milliseconds;
        for (const auto& [host, time] : highHosts) {
            const Time* lowTime = usable(lowHosts, host);
            if (host != Compared || lowTime == nullptr || usable(highHosts, host) == nullptr ||
                reference <= 0) {
                continue;
            }
            PrintRow(out, operation, SizeName(operation, low) + "->" + SizeName(operation, high),
                     host, time.milliseconds - lowTime->milliseconds, reference);
        }
    }
    out.flush();
}

}  // namespace telvane::bench
