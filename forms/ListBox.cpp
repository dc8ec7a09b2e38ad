#include "forms/ListBox.h"

#include "forms/FormsError.h"
#include "forms/ListCollation.h"

namespace telvane::forms {

ListBox::ListBox(Container& parent, std::string name, const Bounds& bounds)
    : Control(parent, ControlKind::ListBox, std::move(name), bounds) {}

void ListBox::SetSorted(bool sorted) {
    if (ListCount() != 0)
        FormsError::Raise(FormsError::ReadOnlyAtRunTime, Name());
    m_sorted = sorted;
}

void ListBox::SetStyle(ListBoxStyle style) {
    if (ListCount() != 0)
        FormsError::Raise(FormsError::ReadOnlyAtRunTime, Name());
    m_style = style;
    Changed(Property::Appearance);
}

std::size_t ListBox::CheckedIndex(int index) const {
    if (index < 0 || index >= ListCount()) {
        FormsError::Raise(FormsError::InvalidArrayIndex, Name());
    }
    return static_cast<std::size_t>(index);
}

void ListBox::Inserted(int index) {
    m_newIndex = index;
    // The highlight stays on its entry.
    if (m_listIndex >= index)
        ++m_listIndex;
    Changed(Property::Items);
}

void ListBox::AddItem(std::string text) {
    if (!m_sorted) {
        AddItem(std::move(text), ListCount());
        return;
    }
    ListEntries::Entry entry;
    entry.sortKey = ListCollation::SortKey(text);
    entry.text = std::move(text);
    Inserted(static_cast<int>(m_entries.InsertSorted(std::move(entry))));
}

void ListBox::AddItem(std::string text, int index) {
    if (m_sorted || index < 0 || index > ListCount()) {
        FormsError::Raise(FormsError::InvalidArgument, Name());
    }
    ListEntries::Entry entry;
    entry.text = std::move(text);
    m_entries.InsertAt(static_cast<std::size_t>(index), std::move(entry));
    Inserted(index);
}

void ListBox::RemoveItem(int index) {
    m_entries.Erase(CheckedIndex(index));
    if (m_listIndex == index) {
        m_listIndex = -1;
    } else if (m_listIndex > index) {
        --m_listIndex;
    }
    if (m_newIndex == index) {
        m_newIndex = -1;
    } else if (m_newIndex > index) {
        --m_newIndex;
    }
    if (m_topIndex > 0 && m_topIndex >= ListCount())
        m_topIndex = ListCount() - 1;
    Changed(Property::Items);
}

void ListBox::Clear() {
    m_entries.Clear();
    m_newIndex = -1;
    m_listIndex = -1;
    m_topIndex = 0;
    Changed(Property::Items);
}

const std::string& ListBox::List(int index) const {
    return m_entries.At(CheckedIndex(index)).text;
}

std::int32_t ListBox::ItemData(int index) const {
    return m_entries.At(CheckedIndex(index)).itemData;
}

void ListBox::SetItemData(int index, std::int32_t data) {
    m_entries.At(CheckedIndex(index)).itemData = data;
}

bool ListBox::Selected(int index) const {
    const std::size_t at = CheckedIndex(index);
    if (m_style == ListBoxStyle::Standard)
        return m_listIndex == index;
    return m_entries.At(at).selected;
}

void ListBox::SetSelected(int index, bool selected) {
    const std::size_t at = CheckedIndex(index);
    if (m_style == ListBoxStyle::Standard) {
        if (selected) {
            SetListIndex(index);
        } else if (m_listIndex == index) {
            SetListIndex(-1);
        }
        return;
    }
    bool& tick = m_entries.At(at).selected;
    if (tick == selected)
        return;
    tick = selected;
    Changed(Property::Value);
    Raise(m_itemCheck, index);
}

void ListBox::SetListIndex(int index) {
    if (index < -1 || index >= ListCount()) {
        FormsError::Raise(FormsError::InvalidPropertyValue, Name());
    }
    if (index == m_listIndex)
        return;
    m_listIndex = index;
    Changed(Property::Selection);
}

std::string ListBox::Text() const {
    return m_listIndex < 0 ? std::string()
                           : m_entries.At(static_cast<std::size_t>(m_listIndex)).text;
}

void ListBox::SetTopIndex(int index) {
    if (index < 0 || (index > 0 && index >= ListCount())) {
        FormsError::Raise(FormsError::InvalidPropertyValue, Name());
    }
    m_topIndex = index;
    Changed(Property::Appearance);
}

bool ListBox::UserTick(int index) {
    if (!AcceptInput("tick entry"))
        return false;
    if (m_style != ListBoxStyle::Checkbox || index < 0 || index >= ListCount())
        return false;
    TakeFocus();
    SetListIndex(index);
    SetSelected(index, !Selected(index));
    return true;
}

bool ListBox::UserHighlight(int index) {
    if (!AcceptInput("highlight entry"))
        return false;
    if (index < 0 || index >= ListCount())
        return false;
    TakeFocus();
    SetListIndex(index);
    return true;
}

}  // namespace telvane::forms
