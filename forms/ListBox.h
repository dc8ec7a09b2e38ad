#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "forms/Control.h"
#include "forms/ListEntries.h"

namespace telvane::forms {

// A list box. Sorted keeps entries in the order Windows' sorted list box gives them (see
// ListCollation); NewIndex reports where the entry just added went. With the Checkbox style
// each entry has a tick, which Selected(i) reads and sets; otherwise Selected(i) is the
// highlight. AddItem, NewIndex and every access by index cost O(log n).
// Entry indexes are 0-based; a bad index raises error 381.
class ListBox : public Control {
public:
    ListBox(Container& parent, std::string name, const Bounds& bounds);

    // Design-time properties: they can be set only while the list is empty (error 383).
    bool Sorted() const { return m_sorted; }
    void SetSorted(bool sorted);
    ListBoxStyle Style() const { return m_style; }
    void SetStyle(ListBoxStyle style);

    void AddItem(std::string text);
    // Inserts at an index of an unsorted list (0..ListCount); error 5 otherwise.
    void AddItem(std::string text, int index);
    void RemoveItem(int index);
    void Clear();

    int ListCount() const { return static_cast<int>(m_entries.Size()); }
    // Index of the entry most recently added, or -1 when none was added since the last Clear.
    int NewIndex() const { return m_newIndex; }
    const std::string& List(int index) const;
    std::int32_t ItemData(int index) const;
    void SetItemData(int index, std::int32_t data);
    bool Selected(int index) const;
    // Ticks or unticks an entry (Checkbox style; raises ItemCheck when the tick changes), or
    // highlights it (Standard style).
    void SetSelected(int index, bool selected);
    // The highlighted entry, -1 for none. Values outside -1..ListCount-1 raise error 380.
    int ListIndex() const { return m_listIndex; }
    void SetListIndex(int index);
    // The highlighted entry's text, or "" when none is highlighted.
    std::string Text() const;
    // The first entry shown at the top of the box.
    int TopIndex() const { return m_topIndex; }
    void SetTopIndex(int index);

    // Raised with the entry's index whenever its tick changes (user or code).
    void OnItemCheck(std::function<void(int)> handler) { m_itemCheck = std::move(handler); }

    // The user clicks an entry's check box: the entry is highlighted and its tick flips.
    bool UserTick(int index);
    // The user clicks an entry's text: it becomes the highlighted entry.
    bool UserHighlight(int index);

private:
    std::size_t CheckedIndex(int index) const;
    void Inserted(int index);

    ListEntries m_entries;
    bool m_sorted = false;
    ListBoxStyle m_style = ListBoxStyle::Standard;
    int m_newIndex = -1;
    int m_listIndex = -1;
    int m_topIndex = 0;
    std::function<void(int)> m_itemCheck;
};

}  // namespace telvane::forms
