#pragma once

#include <cstdint>
#include <map>
#include <ostream>
#include <string>

#include "platform/memory/outlook/CallCounter.h"

namespace telvane::bench {

// One path's object-model calls per item, operation by operation, the product's beside the
// bare loop's: where a ratio above 1 comes from.
class CallBreakdown {
public:
    CallBreakdown(std::string title, double items);

    void TakeProduct(const memory::CallCounter& calls) { Take(calls, m_product); }
    void TakeBare(const memory::CallCounter& calls) { Take(calls, m_bare); }
    void Print(std::ostream& out) const;

private:
    using Counts = std::map<std::string, std::uint64_t>;
    static void Take(const memory::CallCounter& calls, Counts& into);
    double PerItem(const Counts& counts, const std::string& name) const;

    std::string m_title;
    double m_items;
    Counts m_product;
    Counts m_bare;
};

}  // namespace telvane::bench
