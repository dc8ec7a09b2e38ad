#include "apps/benchmark/CallBreakdown.h"

#include <cstdio>
#include <set>
#include <utility>

namespace telvane::bench {

CallBreakdown::CallBreakdown(std::string title, double items)
    : m_title(std::move(title)), m_items(items) {}

void CallBreakdown::Take(const memory::CallCounter& calls, Counts& into) {
    into.clear();
    for (const auto& [name, count] : calls.Called())
        into[name] = count;
}

double CallBreakdown::PerItem(const Counts& counts, const std::string& name) const {
    const auto found = counts.find(name);
    return found == counts.end() ? 0.0 : static_cast<double>(found->second) / m_items;
}

void CallBreakdown::Print(std::ostream& out) const {
    std::set<std::string> names;
    for (const auto& [name, count] : m_product)
        names.insert(name);
    for (const auto& [name, count] : m_bare)
        names.insert(name);

    char line[160];
    std::snprintf(line, sizeof line, "%-44s %9s %9s\n", m_title.c_str(), "product", "bare");
    out << line;
    double product = 0;
    double bare = 0;
    for (const auto& name : names) {
        const double p = PerItem(m_product, name);
        const double b = PerItem(m_bare, name);
        product += p;
        bare += b;
        std::snprintf(line, sizeof line, "  %-42s %9.4f %9.4f%s\n", name.c_str(), p, b,
                      p > b + 1e-9 ? "  +" : "");
        out << line;
    }
    std::snprintf(line, sizeof line, "  %-42s %9.4f %9.4f\n\n", "all calls", product, bare);
    out << line;
}

}  // namespace telvane::bench
