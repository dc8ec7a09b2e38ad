#pragma once

#include <ostream>

#include "apps/hostbenchmark/HostComparison.h"

namespace telvane::bench {

// The host comparison, then each figure of what the mail client watches beside its goal
// (medians where there are repetitions): start-up, shut-down, the add-in's share of a save (the
// save with the add-in connected less the save without it), the options tab to its first
// paint, and the fax manager's opening on each store shape with its time per folder.
class HostSummary final : public HostComparison {
public:
    using HostComparison::HostComparison;

    void Finalize() override;

private:
    // The median (or only) time in ms of "operation/host" at `size`; negative when missing.
    double Milliseconds(const std::string& operation, const std::string& host, long size) const;
    void PrintGoals(std::ostream& out) const;
};

}  // namespace telvane::bench
