#include "apps/hostbenchmark/HostSummary.h"

#include <cstdio>
#include <string>

namespace telvane::bench {
namespace {

// The fax manager's goal holds at 20 stores of 250 folders.
constexpr long GoalShape = 20 * 250;

void Row(std::ostream& out, const std::string& figure, double milliseconds, double goal,
         const std::string& note = {}) {
    char line[200];
    if (milliseconds < 0) {
        std::snprintf(line, sizeof line, "%-40s %12s\n", figure.c_str(), "not measured");
    } else if (goal <= 0) {
        std::snprintf(line, sizeof line, "%-40s %9.3f ms   %s\n", figure.c_str(), milliseconds,
                      note.c_str());
    } else {
        std::snprintf(line, sizeof line, "%-40s %9.3f ms   goal <= %7.2f ms%s %s\n", figure.c_str(),
                      milliseconds, goal, milliseconds <= goal ? "" : "  over", note.c_str());
    }
    out << line;
}

}  // namespace

void HostSummary::Finalize() {
    HostComparison::Finalize();
    PrintGoals(GetOutputStream());
}

double HostSummary::Milliseconds(const std::string& operation, const std::string& host,
                                 long size) const {
    const auto found = AllTimes().find(operation);
    if (found == AllTimes().end())
        return -1;
    const auto sized = found->second.find(size);
    if (sized == found->second.end())
        return -1;
    const auto time = sized->second.find(host);
    if (time == sized->second.end() || !time->second.error.empty())
        return -1;
    return time->second.milliseconds;
}

void HostSummary::PrintGoals(std::ostream& out) const {
    out << "\nWhat the mail client watches, through the DLLs in the stand-in mail client "
           "(real time, medians)\n\n";
    Row(out, "start-up (load + OnConnection)", Milliseconds("AddInStartUp", "dll", 1), 20);
    Row(out, "shut-down (OnDisconnection + unload)", Milliseconds("AddInShutDown", "dll", 1), 20);
    const double with = Milliseconds("ContactSave", "with", 1);
    const double without = Milliseconds("ContactSave", "without", 1);
    char saves[80];
    std::snprintf(saves, sizeof saves, "(%.3f ms with, %.3f ms without)", with, without);
    Row(out, "save's add-in share (with - without)", with < 0 || without < 0 ? -1 : with - without,
        1, saves);
    Row(out, "options tab to its first paint", Milliseconds("OptionsTabFirstPaint", "dll", 1), 100);
    const auto opening = AllTimes().find("FaxManagerOpening");
    if (opening == AllTimes().end())
        return;
    for (const auto& [size, hosts] : opening->second) {
        for (const auto& [host, time] : hosts) {
            const double milliseconds = time.error.empty() ? time.milliseconds : -1;
            char note[64];
            std::snprintf(note, sizeof note, "%.4f ms per folder",
                          milliseconds / static_cast<double>(size));
            const std::string figure =
                "fax manager " + SizeName("FaxManagerOpening", size) + " " + host;
            Row(out, figure, milliseconds, host == "dll" && size == GoalShape ? 300 : 0,
                milliseconds < 0 ? "" : note);
        }
    }
    out.flush();
}

}  // namespace telvane::bench
