#include <gtest/gtest.h>

#include "tests/optionspage/FaxManagerFixture.h"

namespace telvane {
namespace {

struct NodeView {
    std::string text;
    std::string parent;
    std::string tag;
    friend bool operator==(const NodeView&, const NodeView&) = default;
    friend std::ostream& operator<<(std::ostream& out, const NodeView& n) {
        return out << "{'" << n.text << "' under '" << n.parent << "' tag '" << n.tag << "'}";
    }
};

std::vector<NodeView> Tree(const frmFaxManager& form) {
    std::vector<NodeView> nodes;
    for (const auto& node : form.tvContacts.Nodes().All()) {
        auto parent = node->Parent();
        nodes.push_back({node->Text(), parent ? parent->Text() : "", node->Tag()});
    }
    return nodes;
}

TEST_F(FaxManagerFixture, TheTreeShowsEveryStoreWithItsContactFoldersAndCounts) {
    WithFaxManager([&](frmFaxManager& form) {
        EXPECT_EQ(form.Caption(), "Telvane");
        const std::vector<NodeView> expected = {
            {"Personal Folders", "", ""},
            {"Contacts [ 6 Contacts ]", "Personal Folders", "F"},
            {"Suppliers [ 1 Contacts ]", "Contacts [ 6 Contacts ]", "F"},
            // Below a mail folder: hangs under the nearest node shown above it.
            {"Old Contacts [ 0 Contacts ]", "Personal Folders", "F"},
            {"Empty [ 0 Contacts ]", "Personal Folders", "F"},
            {"Mailbox - Sales", "", ""},
        };
        EXPECT_EQ(Tree(form), expected);
        for (const auto& node : form.tvContacts.Nodes().All()) {
            EXPECT_TRUE(node->Expanded()) << node->Text();
            const auto& records = library.modFaxManager.m_arrFolders;
            const bool recorded = static_cast<std::size_t>(node->Index()) < records.size() &&
                                  records[node->Index()].objNode == node;
            EXPECT_EQ(recorded, node->Tag() == "F") << node->Text();
        }
        const auto& contactsEntry =
            library.modFaxManager.m_arrFolders.at(NodeNamed(form, "Contacts")->Index());
        EXPECT_EQ(contactsEntry.strName, "Contacts");
        EXPECT_EQ(contactsEntry.lngItems, 6);
        EXPECT_EQ(NodeNamed(form, "Personal Folders")->Key(), personal.EntryID());
        EXPECT_EQ(form.lblCaption(1).Caption(), "Fax &Contacts for");
        EXPECT_FALSE(form.cmdDisplay.Visible());
        EXPECT_EQ(form.MousePointer(), forms::MousePointer::Default);
        Close(form);
    });
}

TEST_F(FaxManagerFixture, FolderRecordsGrowByTensToReachAnyNodeIndex) {
    memory::MailClient crowded;
    for (int i = 0; i < 16; ++i)
        crowded.AddStore("Store " + std::to_string(i));
    crowded.AddStore("Last").AddFolder("Contacts", outlook::olContactItem).AddContact();
    auto crowdedSite = crowded.NewPropertyPageSite();
    CreatePage(crowdedSite);
    WithFaxManager([&](frmFaxManager& form) {
        auto node = NodeNamed(form, "Contacts");
        ASSERT_TRUE(node);
        EXPECT_EQ(node->Index(), 18);
        EXPECT_EQ(library.modFaxManager.m_intFolderMax, 25);
        EXPECT_EQ(library.modFaxManager.m_arrFolders.size(), 26u);
        EXPECT_EQ(library.modFaxManager.m_arrFolders[18].strName, "Contacts");
        Close(form);
    });
}

TEST_F(FaxManagerFixture, AFolderThatFailsLeavesOutOnlyWhatLiesBelowIt) {
    personal.FailOn("Folders.Item", memory::Failure{.number = 4096, .position = 2});
    WithFaxManager([&](frmFaxManager& form) {
        std::vector<std::string> texts;
        for (const auto& node : form.tvContacts.Nodes().All())
            texts.push_back(node->Text());
        EXPECT_EQ(texts, (std::vector<std::string>{"Personal Folders", "Contacts [ 6 Contacts ]",
                                                   "Suppliers [ 1 Contacts ]", "Mailbox - Sales"}));
        Close(form);
    });
}

TEST_F(FaxManagerFixture, WithoutASiteTheWindowStillOpensWithAnEmptyTree) {
    CreatePage(nullptr);
    WithFaxManager([&](frmFaxManager& form) {
        EXPECT_EQ(form.tvContacts.Nodes().Count(), 0);
        Close(form);
    });
}

TEST_F(FaxManagerFixture, EachOpeningBuildsTheTreeAfreshAndCloseReleasesTheFolders) {
    std::shared_ptr<forms::Node> first;
    WithFaxManager([&](frmFaxManager& form) {
        first = NodeNamed(form, "Contacts");
        Choose(form, "Contacts");
        Close(form);
    });
    for (std::size_t i = 0; i < library.modFaxManager.m_arrFolders.size(); ++i) {
        EXPECT_EQ(library.modFaxManager.m_arrFolders[i].objFolder, nullptr) << i;
    }
    WithFaxManager([&](frmFaxManager& form) {
        auto second = NodeNamed(form, "Contacts");
        EXPECT_NE(second, first);
        EXPECT_EQ(second->Text(), "Contacts [ 6 Contacts ]") << "counts of the list are gone";
        EXPECT_EQ(form.lstContacts.ListCount(), 0);
        EXPECT_EQ(form.lblCaption(1).Caption(), "Fax &Contacts for");
        ASSERT_TRUE(form.UserPressEscape()) << "Esc closes as Close does";
    });
    EXPECT_EQ(library.modFaxManager.m_arrFolders[2].objFolder, nullptr);
    EXPECT_FALSE(library.frmFaxManager.IsLoaded());
}

TEST_F(FaxManagerFixture, TheTitleBarsCloseBoxAlsoReleasesTheFolders) {
    WithFaxManager([&](frmFaxManager& form) { ASSERT_TRUE(form.UserClose()); });
    for (const auto& entry : library.modFaxManager.m_arrFolders) {
        EXPECT_EQ(entry.objFolder, nullptr);
    }
}

}  // namespace
}  // namespace telvane
