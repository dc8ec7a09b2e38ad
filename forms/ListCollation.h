#pragma once

#include <string>
#include <string_view>

namespace telvane::forms {

// The order of a sorted list box, as Windows compares its entries (lstrcmpi, a word sort):
// case is ignored; blanks and punctuation come before digits and digits before letters;
// accented Latin letters sort with their base letter, after it when all else is equal;
// hyphens and apostrophes count only when the texts are otherwise equal ("co-op" after "coop").
// Texts that compare equal keep the order in which they arrived.
class ListCollation {
public:
    // A byte string whose plain lexicographic order is the list's order, so that a list can
    // compare keys without decoding text again.
    static std::string SortKey(std::string_view text);

    // <0, 0 or >0, as SortKey(a) compares with SortKey(b).
    static int Compare(std::string_view a, std::string_view b);
};

}  // namespace telvane::forms
