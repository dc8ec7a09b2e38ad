#include <gtest/gtest.h>

#include "addin/AddInLibrary.h"
#include "addin/TLConnect.h"
#include "tests/optionspage/PageFixture.h"

namespace telvane {
namespace {

TEST_F(PageFixture, WithNoStoredSwitchTheTabOpensOffAndClean) {
    CreatePage();
    EXPECT_EQ(page->chkFax.Value(), 0);
    EXPECT_FALSE(page->PropertyPage_Dirty());
    EXPECT_EQ(site->StatusChanges(), 0);
    EXPECT_EQ(library.m_objSite, site);
    EXPECT_EQ(library.modFaxManager.m_intFolderMax, 5);
}

TEST_F(PageFixture, AStoredSwitchLoadsWithoutMarkingThePageChanged) {
    const std::pair<std::int16_t, int> cases[] = {{1, 1}, {0, 0}, {2, 2}, {7, 0}, {-1, 0}};
    for (auto [stored, shown] : cases) {
        StoreSwitch(stored);
        CreatePage();
        EXPECT_EQ(page->chkFax.Value(), shown) << "stored " << stored;
        EXPECT_FALSE(page->PropertyPage_Dirty()) << "stored " << stored;
    }
    EXPECT_EQ(site->StatusChanges(), 0);
}

TEST_F(PageFixture, AStoredTextThatIsNoNumberLeavesTheSwitchOff) {
    RegistryApi::Key key = 0;
    ASSERT_EQ(
        registry.RegCreateKeyExA(RegistryApi::ClassesRoot, "Software\\Merrowind\\Telvane\\Options",
                                 RegistryApi::KeyWriteAll, &key, nullptr),
        0);
    const std::uint8_t text[] = "on";
    registry.RegSetValueExA(key, "Default", RegistryApi::Sz, text, sizeof text);
    registry.RegCloseKey(key);
    CreatePage();
    EXPECT_EQ(page->chkFax.Value(), 0);
    EXPECT_EQ(page->lblVersion.Caption(), "(Version: 1.01.0006)") << "later steps still ran";
}

TEST_F(PageFixture, EveryChangeOfTheSwitchMarksThePageAndTellsTheDialog) {
    CreatePage();
    ASSERT_TRUE(page->chkFax.UserClick());
    EXPECT_TRUE(page->PropertyPage_Dirty());
    EXPECT_EQ(site->StatusChanges(), 1);
    ASSERT_TRUE(page->chkFax.UserClick());
    EXPECT_TRUE(page->PropertyPage_Dirty()) << "back to the stored state is still a change";
    EXPECT_EQ(site->StatusChanges(), 2);
}

TEST_F(PageFixture, ApplyStoresTheSwitchForTheAddInsNextSave) {
    auto contacts =
        client.AddStore("Personal Folders").AddFolder("Contacts", outlook::olContactItem);
    auto contact = contacts.AddContact({.FileAs = "Ann", .BusinessFaxNumber = "0123"});
    AddInLibrary addIn(registry);
    TLConnect connection(addIn);
    connection.OnConnection(client.Application());
    CreatePage();

    page->chkFax.UserClick();
    page->PropertyPage_Apply();

    EXPECT_FALSE(page->PropertyPage_Dirty());
    RegistryApi::Key key = 0;
    ASSERT_EQ(
        registry.RegOpenKeyExA(RegistryApi::ClassesRoot, "Software\\Merrowind\\Telvane\\Options", 0,
                               RegistryApi::KeyQueryValue, &key),
        0);
    std::uint32_t type = 0, size = 8;
    std::uint8_t data[8] = {};
    ASSERT_EQ(registry.RegQueryValueExA(key, "Default", &type, data, &size), 0);
    registry.RegCloseKey(key);
    EXPECT_EQ(type, RegistryApi::Dword);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(data[0], 1);

    client.OpenInspector(contact).Save();
    EXPECT_EQ(contact.Stored(outlook::ContactField::BusinessFaxNumber), "Fax: 0123");

    page->chkFax.UserClick();
    page->PropertyPage_Apply();
    size = 8;
    registry.RegOpenKeyExA(RegistryApi::ClassesRoot, "Software\\Merrowind\\Telvane\\Options", 0,
                           RegistryApi::KeyQueryValue, &key);
    registry.RegQueryValueExA(key, "Default", &type, data, &size);
    registry.RegCloseKey(key);
    EXPECT_EQ(data[0], 0) << "unticking stores 0; the value is not deleted";
}

TEST_F(PageFixture, AFailedApplyKeepsThePageChangedAndTheStoredValue) {
    StoreSwitch(0);
    CreatePage();
    page->chkFax.UserClick();
    registry.FailCalls(memory::MemoryRegistry::Function::SetValue, RegistryApi::AccessDenied);

    try {
        page->PropertyPage_Apply();
        FAIL() << "Apply must fail";
    } catch (const RaisedError& e) {
        EXPECT_EQ(e.Number(), -2147194455);
        EXPECT_EQ(e.Description(),
                  "Failed to set registry value Key: '-2147483648',Section: "
                  "'Software\\Merrowind\\Telvane\\Options',Key: 'Default' to value: '1' "
                  "(registry error 5)");
    }
    EXPECT_TRUE(page->PropertyPage_Dirty());
    registry.ClearFailures();
    CreatePage();
    EXPECT_EQ(page->chkFax.Value(), 0);
}

TEST_F(PageFixture, WithoutASiteThePageLoadsButNeverMarksItselfChanged) {
    StoreSwitch(1);
    CreatePage(nullptr);
    EXPECT_EQ(page->chkFax.Value(), 1);
    page->chkFax.UserClick();
    EXPECT_FALSE(page->PropertyPage_Dirty());
}

TEST_F(PageFixture, APageWithoutASiteKeepsTheSiteOfAnEarlierPageStillOpen) {
    CreatePage();
    auto earlier = page;
    CreatePage(nullptr);
    EXPECT_EQ(library.m_objSite, site);
    earlier->UserControl_Terminate();
    EXPECT_EQ(library.m_objSite, nullptr) << "the earlier page released the site it brought";
}

TEST_F(PageFixture, TerminatingAnOlderPageLeavesTheNewerPagesSite) {
    CreatePage();
    auto older = page;
    auto newerSite = client.NewPropertyPageSite();
    CreatePage(newerSite);
    older->UserControl_Terminate();
    EXPECT_EQ(library.m_objSite, newerSite);
    page->UserControl_Terminate();
    EXPECT_EQ(library.m_objSite, nullptr);
}

TEST_F(PageFixture, GetPageInfoLeavesItsArgumentsAlone) {
    CreatePage();
    std::string helpFile = "given.hlp";
    std::int32_t context = 42;
    page->PropertyPage_GetPageInfo(helpFile, context);
    EXPECT_EQ(helpFile, "given.hlp");
    EXPECT_EQ(context, 42);
}

TEST_F(PageFixture, ResizingMovesTheLabelTheButtonAndTheLineEnds) {
    CreatePage();
    const std::pair<int, int> widths[] = {{5580, 4740}, {6000, 5160}};
    for (auto [width, labelWidth] : widths) {
        page->SetClientSize(width, TelvanePage::DesignHeight);
        page->UserControl_Resize();
        EXPECT_EQ(page->Label1.Width(), labelWidth);
        EXPECT_EQ(page->cmdApplet.Left(), width - 2625);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(page->Line1(i).X2(), width - 180) << i;
        EXPECT_EQ(page->Line1(2).X1(), 120);
        EXPECT_EQ(page->Line1(3).Y2(), 240);
    }
    page->SetClientSize(600, TelvanePage::DesignHeight);
    page->UserControl_Resize();
    EXPECT_EQ(page->Label1.Width(), 0) << "narrower than the margins leaves an empty label";
}

TEST(TelvanePageVersion, ShowsTheVersionInThreeParts) {
    EXPECT_EQ(TelvanePage::VersionText(1, 1, 6), "(Version: 1.01.0006)");
    EXPECT_EQ(TelvanePage::VersionText(2, 10, 123), "(Version: 2.10.0123)");
    EXPECT_EQ(TelvanePage::VersionText(1, 100, 6), "(Version: 1.100.0006)");
}

}  // namespace
}  // namespace telvane
