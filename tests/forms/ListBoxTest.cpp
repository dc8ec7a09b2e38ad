#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "forms/FormsError.h"
#include "forms/ListCollation.h"
#include "platform/memory/ui/HeadlessHost.h"
#include "tests/forms/RaisedNumber.h"
#include "tests/forms/SampleForm.h"

namespace telvane::forms::test {
namespace {

class ListBoxTest : public ::testing::Test {
protected:
    ListBoxTest() { form.Show(); }

    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (int i = 0; i < list.ListCount(); ++i)
            texts.push_back(list.List(i));
        return texts;
    }

    // Adds entries as the product does: text, then item data and tick through NewIndex.
    void AddEntry(const std::string& text, std::int32_t data, bool ticked) {
        list.AddItem(text);
        list.SetItemData(list.NewIndex(), data);
        if (ticked)
            list.SetSelected(list.NewIndex(), true);
    }

    memory::HeadlessHost host;
    SampleForm form{host};
    ListBox& list = form.lstEntries;
};

struct AddCase {
    std::vector<std::string> existing;
    std::string added;
    int newIndex;
};

class SortedAddTest : public ListBoxTest, public ::testing::WithParamInterface<AddCase> {};

TEST_P(SortedAddTest, NewIndexIsWhereTheSortedListPutTheEntry) {
    for (const auto& text : GetParam().existing)
        list.AddItem(text);
    list.AddItem(GetParam().added);
    EXPECT_EQ(GetParam().newIndex, list.NewIndex());
    EXPECT_EQ(GetParam().added, list.List(list.NewIndex()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SortedAddTest,
    ::testing::Values(AddCase{{}, "Only", 0}, AddCase{{"b", "c"}, "a", 0},
                      AddCase{{"a", "c"}, "b", 1}, AddCase{{"a", "b"}, "c", 2},
                      AddCase{{"apple", "Cherry"}, "banana", 1},  // case is ignored
                      AddCase{{"Banana"}, "banana", 1},           // equal texts: arrival order
                      AddCase{{"smith"}, "Smith", 1}, AddCase{{"Smithson"}, "Smith, Ann", 0},
                      AddCase{{"10 Downing"}, "Zed", 1}, AddCase{{"Ann"}, "", 0}));

TEST_F(ListBoxTest, ItemDataAndTicksSetThroughNewIndexStayWithTheirEntries) {
    AddEntry("Miller", 3, false);
    AddEntry("adams", 1, true);
    AddEntry("Zeta", 7, false);
    AddEntry("Brown", 2, true);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"adams", "Brown", "Miller", "Zeta"}));
    const std::vector<std::int32_t> data = {list.ItemData(0), list.ItemData(1), list.ItemData(2),
                                            list.ItemData(3)};
    EXPECT_EQ(data, (std::vector<std::int32_t>{1, 2, 3, 7}));
    const std::vector<bool> ticks = {list.Selected(0), list.Selected(1), list.Selected(2),
                                     list.Selected(3)};
    EXPECT_EQ(ticks, (std::vector<bool>{true, true, false, false}));
}

TEST_F(ListBoxTest, TheHighlightStaysOnItsEntryWhenEntriesAreAddedBeforeIt) {
    list.AddItem("Miller");
    list.SetListIndex(0);
    list.AddItem("Adams");
    EXPECT_EQ(1, list.ListIndex());
    EXPECT_EQ("Miller", list.Text());
    list.AddItem("Zeta");
    EXPECT_EQ(1, list.ListIndex());
}

TEST_F(ListBoxTest, ClearEmptiesTheListAndForgetsHighlightAndNewIndex) {
    AddEntry("Ann", 1, true);
    list.SetListIndex(0);
    list.Clear();
    EXPECT_EQ(0, list.ListCount());
    EXPECT_EQ(-1, list.ListIndex());
    EXPECT_EQ(-1, list.NewIndex());
    EXPECT_EQ("", list.Text());
}

TEST_F(ListBoxTest, RemovingAnEntryShiftsTheLaterOnes) {
    for (const char* text : {"a", "b", "c"})
        list.AddItem(text);
    list.SetListIndex(2);
    list.RemoveItem(1);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(1, list.ListIndex());
}

TEST_F(ListBoxTest, BadIndexesRaiseTheStandardErrors) {
    list.AddItem("Ann");
    for (int index : {-1, 1, 40000}) {
        EXPECT_EQ(FormsError::InvalidArrayIndex, RaisedNumber([&] { list.ItemData(index); }))
            << "ItemData(" << index << ")";
        EXPECT_EQ(FormsError::InvalidArrayIndex,
                  RaisedNumber([&] { list.SetSelected(index, true); }))
            << "Selected(" << index << ")";
    }
    for (int index : {-2, 1}) {
        EXPECT_EQ(FormsError::InvalidPropertyValue, RaisedNumber([&] { list.SetListIndex(index); }))
            << "ListIndex " << index;
    }
    EXPECT_EQ(0, RaisedNumber([&] { list.SetListIndex(-1); }));
}

TEST_F(ListBoxTest, SortedAndStyleCannotChangeOnceTheListHasEntries) {
    list.AddItem("Ann");
    EXPECT_EQ(FormsError::ReadOnlyAtRunTime, RaisedNumber([&] { list.SetSorted(false); }));
    EXPECT_EQ(FormsError::ReadOnlyAtRunTime,
              RaisedNumber([&] { list.SetStyle(ListBoxStyle::Standard); }));
}

TEST_F(ListBoxTest, AUserTickFlipsTheTickAndHighlightsTheEntry) {
    AddEntry("Ann", 1, false);
    AddEntry("Bob", 2, true);
    std::vector<int> checked;
    list.OnItemCheck([&](int index) { checked.push_back(index); });

    ASSERT_TRUE(list.UserTick(1));
    EXPECT_FALSE(list.Selected(1));
    EXPECT_EQ(1, list.ListIndex());
    ASSERT_TRUE(list.UserTick(0));
    EXPECT_TRUE(list.Selected(0));
    EXPECT_EQ(0, list.ListIndex());
    EXPECT_EQ(checked, (std::vector<int>{1, 0}));
    EXPECT_FALSE(list.UserTick(2)) << "there is no third entry";
}

TEST_F(ListBoxTest, AUserHighlightMovesTheHighlightAndLeavesTheTicks) {
    AddEntry("Ann", 1, true);
    AddEntry("Bob", 2, false);
    ASSERT_TRUE(list.UserHighlight(1));
    EXPECT_EQ(1, list.ListIndex());
    EXPECT_TRUE(list.Selected(0));
    EXPECT_FALSE(list.Selected(1));
}

TEST_F(ListBoxTest, InAPlainListSelectedIsTheHighlight) {
    SampleForm plain(host, "frmPlain");
    ListBox& box = plain.lstEntries;
    box.Clear();
    box.SetStyle(ListBoxStyle::Standard);
    box.AddItem("a");
    box.AddItem("b");
    box.SetSelected(1, true);
    EXPECT_EQ(1, box.ListIndex());
    EXPECT_FALSE(box.Selected(0));
    box.SetSelected(1, false);
    EXPECT_EQ(-1, box.ListIndex());
}

TEST_F(ListBoxTest, AnUnsortedListKeepsArrivalOrderAndTakesAnIndex) {
    SampleForm plain(host, "frmPlain");
    ListBox& box = plain.lstEntries;
    box.SetSorted(false);
    box.AddItem("z");
    box.AddItem("a");
    box.AddItem("m", 1);
    EXPECT_EQ(1, box.NewIndex());
    EXPECT_EQ(box.List(0) + box.List(1) + box.List(2), "zma");
    EXPECT_EQ(FormsError::InvalidArgument, RaisedNumber([&] { box.AddItem("x", 4); }));
}

// The product fills the list with every fax contact of a folder, then walks it by index.
TEST_F(ListBoxTest, FortyThousandEntriesComeOutInCollationOrderWithTheirData) {
    constexpr int kCount = 40000;
    std::vector<std::string> texts;
    texts.reserve(kCount);
    std::uint32_t seed = 12345;
    for (int i = 0; i < kCount; ++i) {
        seed = seed * 1103515245u + 12345u;
        std::string text = (seed >> 16) % 3 == 0 ? "smith" : "Contact";
        text += std::to_string((seed >> 8) % 5000);
        texts.push_back(text);
        AddEntry(text, i + 1, i % 3 == 0);
    }
    ASSERT_EQ(kCount, list.ListCount());

    std::vector<std::string> keys;
    for (const auto& text : texts)
        keys.push_back(ListCollation::SortKey(text));
    std::vector<int> expected(kCount);
    for (int i = 0; i < kCount; ++i)
        expected[i] = i;
    std::stable_sort(expected.begin(), expected.end(),
                     [&](int a, int b) { return keys[a] < keys[b]; });
    for (int i = 0; i < kCount; ++i) {
        const int arrival = expected[i];
        ASSERT_EQ(texts[arrival], list.List(i)) << "entry " << i;
        ASSERT_EQ(arrival + 1, list.ItemData(i)) << "entry " << i << " " << list.List(i);
        ASSERT_EQ(arrival % 3 == 0, list.Selected(i)) << "entry " << i;
    }
}

}  // namespace
}  // namespace telvane::forms::test
