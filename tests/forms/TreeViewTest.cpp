#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "forms/FormsError.h"
#include "platform/memory/ui/HeadlessHost.h"
#include "tests/forms/RaisedNumber.h"
#include "tests/forms/SampleForm.h"

namespace telvane::forms::test {
namespace {

class TreeViewTest : public ::testing::Test {
protected:
    TreeViewTest() { form.Show(); }

    // Texts of the children of `node` (the top level when null), in display order.
    std::vector<std::string> TextsUnder(const std::shared_ptr<Node>& node) const {
        const auto& nodes = node ? node->ChildNodes() : tree.Nodes().Roots();
        std::vector<std::string> texts;
        for (const auto& n : nodes)
            texts.push_back(n->Text());
        return texts;
    }

    memory::HeadlessHost host;
    SampleForm form{host};
    TreeView& tree = form.tvFolders;
    Nodes& nodes = tree.Nodes();
};

TEST_F(TreeViewTest, IndexIsTheOneBasedOrderOfAdditionWhereverTheNodeHangs) {
    auto store = nodes.Add("S1", "Mailbox");
    auto contacts = nodes.Add(store, TreeRelationship::Child, "C1", "Contacts");
    auto second = nodes.Add("S2", "Archive");
    auto nested = nodes.Add(contacts, TreeRelationship::Child, "C2", "Family");
    EXPECT_EQ(1, store->Index());
    EXPECT_EQ(2, contacts->Index());
    EXPECT_EQ(3, second->Index());
    EXPECT_EQ(4, nested->Index());
    EXPECT_EQ(4, nodes.Count());
    EXPECT_EQ(nested, nodes.Item(4));
}

TEST_F(TreeViewTest, AChildHangsUnderItsRelativeAndKnowsItsParent) {
    auto store = nodes.Add("S1", "Mailbox");
    auto contacts = nodes.Add(store, TreeRelationship::Child, "C1", "Contacts");
    EXPECT_EQ(store, contacts->Parent());
    EXPECT_EQ(nullptr, store->Parent());
    EXPECT_EQ(1, store->Children());
    EXPECT_EQ(contacts, store->Child());
    EXPECT_EQ(1, contacts->Depth());
    EXPECT_EQ(TextsUnder(nullptr), std::vector<std::string>{"Mailbox"});
}

TEST_F(TreeViewTest, WithoutARelativeANodeGoesLastAtTheTopWhateverTheRelationship) {
    nodes.Add("A", "First");
    nodes.Add(nullptr, TreeRelationship::Child, "B", "Second");
    EXPECT_EQ(TextsUnder(nullptr), (std::vector<std::string>{"First", "Second"}));
    EXPECT_EQ(nullptr, nodes.Item("B")->Parent());
}

TEST_F(TreeViewTest, SiblingRelationshipsPlaceTheNodeBesideItsRelative) {
    auto parent = nodes.Add("P", "P");
    auto b = nodes.Add(parent, TreeRelationship::Child, "b", "b");
    nodes.Add(b, TreeRelationship::Previous, "a", "a");
    nodes.Add(b, TreeRelationship::Next, "c", "c");
    nodes.Add(b, TreeRelationship::Last, "z", "z");
    nodes.Add(b, TreeRelationship::First, "0", "0");
    EXPECT_EQ(TextsUnder(parent), (std::vector<std::string>{"0", "a", "b", "c", "z"}));
    EXPECT_EQ(parent, nodes.Item("z")->Parent());
}

TEST_F(TreeViewTest, NodesAreFoundByKey) {
    auto store = nodes.Add("0000000038A1BB1005E5101AA1BB08002B2A56C2", "Mailbox");
    EXPECT_EQ(store, nodes.Item("0000000038A1BB1005E5101AA1BB08002B2A56C2"));
    EXPECT_EQ(nullptr, nodes.Find("0000000038a1bb1005e5101aa1bb08002b2a56c2"))
        << "keys are compared exactly";
    EXPECT_EQ(FormsError::ElementNotFound, RaisedNumber([&] { nodes.Item("missing"); }));
}

TEST_F(TreeViewTest, ADuplicateKeyIsRefusedAndNothingIsAdded) {
    auto store = nodes.Add("S1", "Mailbox");
    try {
        nodes.Add(store, TreeRelationship::Child, "S1", "Contacts");
        FAIL() << "a second node with key S1 was added";
    } catch (const RaisedError& error) {
        EXPECT_EQ(35602, error.Number());
        EXPECT_EQ("Key is not unique in collection", error.Description());
    }
    EXPECT_EQ(1, nodes.Count());
    EXPECT_EQ(0, store->Children());
}

TEST_F(TreeViewTest, NodesWithoutKeysMayShareTheEmptyKey) {
    nodes.Add("", "one");
    nodes.Add("", "two");
    EXPECT_EQ(2, nodes.Count());
}

TEST_F(TreeViewTest, IndexesOutOfRangeRaiseIndexOutOfBounds) {
    nodes.Add("A", "a");
    for (int index : {0, 2, -1}) {
        EXPECT_EQ(FormsError::IndexOutOfBounds, RaisedNumber([&] { nodes.Item(index); }))
            << "index " << index;
    }
}

TEST_F(TreeViewTest, AUserClickSelectsTheNodeAndRaisesNodeClickEachTime) {
    auto store = nodes.Add("S1", "Mailbox");
    auto contacts = nodes.Add(store, TreeRelationship::Child, "C1", "Contacts");
    store->SetExpanded(true);
    form.events.clear();

    ASSERT_TRUE(tree.UserClickNode(contacts));
    EXPECT_EQ(contacts, tree.SelectedItem());
    EXPECT_TRUE(contacts->Selected());
    ASSERT_TRUE(tree.UserClickNode(contacts));
    EXPECT_EQ(form.events, (std::vector<std::string>{"node C1", "node C1"}));
    EXPECT_TRUE(tree.HasFocus());
}

TEST_F(TreeViewTest, TheSelectionIsAlreadySetWhenNodeClickRuns) {
    auto store = nodes.Add("S1", "Mailbox");
    std::shared_ptr<Node> selectedDuringClick;
    tree.OnNodeClick(
        [&](const std::shared_ptr<Node>&) { selectedDuringClick = tree.SelectedItem(); });
    tree.UserClickNode(store);
    EXPECT_EQ(store, selectedDuringClick);
}

TEST_F(TreeViewTest, ANodeUnderACollapsedParentCannotBeClicked) {
    auto store = nodes.Add("S1", "Mailbox");
    auto contacts = nodes.Add(store, TreeRelationship::Child, "C1", "Contacts");
    form.events.clear();
    EXPECT_FALSE(tree.UserClickNode(contacts));
    EXPECT_EQ(nullptr, tree.SelectedItem());
    EXPECT_TRUE(form.events.empty());
    ASSERT_TRUE(tree.UserToggleNode(store));
    EXPECT_TRUE(tree.UserClickNode(contacts));
}

TEST_F(TreeViewTest, SelectingFromCodeShowsTheNodeAndRaisesNoNodeClick) {
    auto store = nodes.Add("S1", "Mailbox");
    auto contacts = nodes.Add(store, TreeRelationship::Child, "C1", "Contacts");
    form.events.clear();
    tree.SetSelectedItem(contacts);
    EXPECT_TRUE(store->Expanded());
    EXPECT_TRUE(contacts->IsShown());
    EXPECT_TRUE(form.events.empty());
}

TEST_F(TreeViewTest, CollapsingTheSelectedNodesParentMovesTheSelectionToIt) {
    auto store = nodes.Add("S1", "Mailbox");
    auto contacts = nodes.Add(store, TreeRelationship::Child, "C1", "Contacts");
    tree.SetSelectedItem(contacts);
    store->SetExpanded(false);
    EXPECT_EQ(store, tree.SelectedItem());
}

TEST_F(TreeViewTest, ClearEmptiesTheTreeAndMarksNodesHeldElsewhereAsRemoved) {
    auto store = nodes.Add("S1", "Mailbox");
    tree.SetSelectedItem(store);
    nodes.Clear();
    EXPECT_EQ(0, nodes.Count());
    EXPECT_EQ(nullptr, tree.SelectedItem());
    EXPECT_EQ(nullptr, nodes.Find("S1"));
    EXPECT_TRUE(store->IsRemoved());
    EXPECT_EQ("Mailbox", store->Text()) << "a removed node keeps what it showed";
    EXPECT_EQ(FormsError::ControlDeleted, RaisedNumber([&] { store->Index(); }));
    EXPECT_EQ(FormsError::ControlDeleted, RaisedNumber([&] { store->SetText("x"); }));
    EXPECT_EQ(1, nodes.Add("S1", "Mailbox")->Index()) << "keys and indexes start afresh";
}

TEST_F(TreeViewTest, NodesOfAnotherTreeAreNotAcceptedAsRelativesOrSelection) {
    SampleForm other(host, "frmOther");
    auto foreign = other.tvFolders.Nodes().Add("X", "x");
    EXPECT_EQ(FormsError::ElementNotFound,
              RaisedNumber([&] { nodes.Add(foreign, TreeRelationship::Child, "Y", "y"); }));
    EXPECT_EQ(FormsError::ElementNotFound, RaisedNumber([&] { tree.SetSelectedItem(foreign); }));
    EXPECT_FALSE(tree.UserClickNode(foreign));
}

TEST_F(TreeViewTest, NodesOutliveTheirFormAsRemovedNodes) {
    std::shared_ptr<Node> kept;
    {
        auto transient = std::make_shared<SampleForm>(host, "frmTransient");
        kept = transient->tvFolders.Nodes().Add("K", "Kept");
    }
    EXPECT_TRUE(kept->IsRemoved());
    EXPECT_EQ("K", kept->Key());
}

TEST_F(TreeViewTest, ThousandsOfFoldersAreFoundByKey) {
    auto root = nodes.Add("root", "Mailbox");
    for (int i = 0; i < 3000; ++i) {
        nodes.Add(root, TreeRelationship::Child, "F" + std::to_string(i),
                  "Folder " + std::to_string(i));
    }
    for (int i = 0; i < 3000; i += 299) {
        const auto node = nodes.Item("F" + std::to_string(i));
        EXPECT_EQ(i + 2, node->Index()) << "key F" << i;
    }
}

TEST_F(TreeViewTest, ShownNodesLeaveOutChildrenOfCollapsedNodes) {
    auto a = nodes.Add("a", "a");
    nodes.Add(a, TreeRelationship::Child, "a1", "a1");
    auto b = nodes.Add("b", "b");
    nodes.Add(b, TreeRelationship::Child, "b1", "b1");
    a->SetExpanded(true);
    std::vector<std::string> keys;
    for (const auto& node : tree.ShownNodes())
        keys.push_back(node->Key());
    EXPECT_EQ(keys, (std::vector<std::string>{"a", "a1", "b"}));
}

}  // namespace
}  // namespace telvane::forms::test
