#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/outlook/Explorer.h"
#include "common/outlook/Explorers.h"
#include "common/outlook/Inspector.h"
#include "common/outlook/Inspectors.h"
#include "common/outlook/PropertyPages.h"
#include "platform/memory/outlook/MailClient.h"

namespace telvane::memory {
namespace {

class Windows : public ::testing::Test {
protected:
    std::int32_t ExplorersCounted() { return client.Application()->Explorers()->Count(); }
    std::int32_t InspectorsCounted() { return client.Application()->Inspectors()->Count(); }
    std::shared_ptr<outlook::Explorer> Active() { return client.Application()->ActiveExplorer(); }

    MailClient client;
    FolderHandle contacts = client.AddStore("Store").AddFolder("Contacts", outlook::olContactItem);
    ItemHandle ann = contacts.AddContact({.FileAs = "Ann"});
};

TEST_F(Windows, ClosingExplorerIsCountedWhileItsCloseRuns) {
    auto first = client.OpenExplorer();
    client.OpenExplorer();
    std::vector<std::int32_t> seen;
    auto onClose = first.Object()->Advise({.Close = [&] { seen.push_back(ExplorersCounted()); }});
    first.Close();
    first.Close();
    EXPECT_EQ(seen, std::vector<std::int32_t>{2}) << "Close raised once, while counted";
    EXPECT_EQ(ExplorersCounted(), 1);
    EXPECT_FALSE(first.IsOpen());
}

TEST_F(Windows, ClosingInspectorIsCountedWhileItsCloseRuns) {
    auto first = client.OpenInspector(ann);
    auto second = client.OpenInspector(ann);
    std::vector<std::int32_t> seen;
    auto onClose = second.Object()->Advise({.Close = [&] { seen.push_back(InspectorsCounted()); }});
    second.Close();
    second.Close();
    EXPECT_EQ(seen, std::vector<std::int32_t>{2});
    EXPECT_EQ(InspectorsCounted(), 1);
    EXPECT_TRUE(first.IsOpen());
}

TEST_F(Windows, ActiveExplorerIsTheLastOpenedOrActivatedStillOpen) {
    EXPECT_EQ(Active(), nullptr) << "no explorer yet";
    auto a = client.OpenExplorer();
    auto b = client.OpenExplorer();
    EXPECT_EQ(Active(), b.Object());
    a.Activate();
    EXPECT_EQ(Active(), a.Object());
    a.Close();
    EXPECT_EQ(Active(), b.Object());
    client.ClearActiveExplorer();
    EXPECT_EQ(Active(), nullptr);
    EXPECT_EQ(ExplorersCounted(), 1);
    auto c = client.OpenExplorer();
    EXPECT_EQ(Active(), c.Object());
    a.Activate();
    EXPECT_EQ(Active(), c.Object()) << "a closed explorer cannot become active";
    b.Close();
    c.Close();
    EXPECT_EQ(Active(), nullptr);
}

TEST_F(Windows, NewInspectorPassesTheCountedWindowShowingOneItemObject) {
    std::shared_ptr<outlook::Inspector> announced;
    std::int32_t countedThen = -1;
    auto onNew = client.Application()->Inspectors()->Advise(
        {.NewInspector = [&](const std::shared_ptr<outlook::Inspector>& inspector) {
            announced = inspector;
            countedThen = InspectorsCounted();
        }});
    auto window = client.OpenInspector(ann);
    ASSERT_EQ(announced, window.Object());
    EXPECT_EQ(countedThen, 1);
    auto item = announced->CurrentItem();
    EXPECT_EQ(announced->CurrentItem(), item) << "the same object every time";
    EXPECT_EQ(window.Item(), item);
    EXPECT_EQ(item->GetProperty("FileAs"), Variant("Ann"));
}

TEST_F(Windows, OpeningAnItemObjectAlreadyShownAnswersItsWindow) {
    int raised = 0;
    auto onNew = client.Application()->Inspectors()->Advise(
        {.NewInspector = [&](const std::shared_ptr<outlook::Inspector>&) { ++raised; }});
    auto window = client.OpenInspector(ann);
    auto again = client.OpenInspector(window.Item());
    EXPECT_EQ(again.Object(), window.Object());
    EXPECT_EQ(raised, 1);
    EXPECT_EQ(client.InspectorCount(), 1);
}

TEST_F(Windows, HandlerErrorsAreRecordedAndTheWindowStillCloses) {
    auto onNew = client.Application()->Inspectors()->Advise(
        {.NewInspector = [](const std::shared_ptr<outlook::Inspector>&) {
            throw std::runtime_error("not a raised error");
        }});
    auto window = client.OpenInspector(ann);
    auto onClose = window.Object()->Advise(
        {.Close = [] { throw RaisedError(91, "TelvaneAddIn", "Object variable not set"); }});
    window.Close();

    EXPECT_FALSE(window.IsOpen());
    ASSERT_EQ(client.HandlerErrors().size(), 2u);
    EXPECT_EQ(client.HandlerErrors()[0].event, "Inspectors.NewInspector");
    EXPECT_EQ(client.HandlerErrors()[0].number, 0);
    EXPECT_EQ(client.HandlerErrors()[0].description, "not a raised error");
    EXPECT_EQ(client.HandlerErrors()[1].event, "Inspector.Close");
    EXPECT_EQ(client.HandlerErrors()[1].number, 91);
}

TEST_F(Windows, SubscriptionsMayOutliveTheirWindowAndTheClient) {
    outlook::Subscription late;
    {
        MailClient shortLived;
        auto item = shortLived.AddStore("S").AddContact();
        auto window = shortLived.OpenInspector(item);
        late = window.Object()->Advise({.Close = [] {}});
        EXPECT_EQ(shortLived.LiveSubscriptions(), 1);
    }
    late.Reset();
    EXPECT_FALSE(late);
}

TEST_F(Windows, ReleasedObjectsAreNoLongerAlive) {
    const std::int32_t before = client.LiveObjects();
    {
        auto window = client.OpenInspector(ann);
        auto onClose = window.Object()->Advise({.Close = [] {}});
        auto items = contacts.Object()->Items();
        auto item = items->Item(1);
        EXPECT_EQ(client.LiveObjects(), before + 4);  // window, its item, items, item
        window.Close();
    }
    EXPECT_EQ(client.LiveObjects(), before);
    EXPECT_EQ(client.LiveSubscriptions(), 0);
}

TEST_F(Windows, OptionsDialogRecordsThePagesEachBuildAdds) {
    int builds = 0;
    auto onPages = client.Application()->Advise(
        {.OptionsPagesAdd =
             [&](const std::shared_ptr<outlook::PropertyPages>& pages) {
                 ++builds;
                 pages->Add(Variant("TelvanePPE.TelvanePage"), "Telvane");
                 if (builds == 2)
                     pages->Add(Variant("Other.Page"), "Other");
             },
         .Quit = {}});
    EXPECT_EQ(client.ShowOptionsDialog(),
              (std::vector<AddedPage>{{Variant("TelvanePPE.TelvanePage"), "Telvane"}}));
    EXPECT_EQ(client.ShowOptionsDialog().size(), 2u) << "every build starts with no pages";
    onPages.Reset();
    EXPECT_TRUE(client.ShowOptionsDialog().empty());
}

TEST_F(Windows, QuitReachesItsSubscribers) {
    int quits = 0;
    auto onQuit = client.Application()->Advise({.OptionsPagesAdd = {}, .Quit = [&] { ++quits; }});
    client.Quit();
    EXPECT_EQ(quits, 1);
}

TEST_F(Windows, PropertyPageSiteLeadsToTheApplicationAndCountsStatusChanges) {
    auto site = client.NewPropertyPageSite();
    EXPECT_EQ(site->Application(), client.Application());
    site->OnStatusChange();
    site->OnStatusChange();
    EXPECT_EQ(site->StatusChanges(), 2);
}

}  // namespace
}  // namespace telvane::memory
