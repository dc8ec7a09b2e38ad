#include <gtest/gtest.h>

#include "tests/addin/AddInFixture.h"

namespace telvane {
namespace {

using outlook::ContactField;

struct SaveCase {
    const char* name;
    enum { Missing, Dword, Text } stored;
    std::int32_t number;
    const char* text;
    // What the user had typed, and what must be stored after the save from the window.
    memory::ContactFields typed;
    memory::ContactFields expectedStored;
    bool windowCloses;
};

const memory::ContactFields kShown{
    .FileAs = "Ann", .BusinessFaxNumber = "0123 456", .HomeFaxNumber = "0789"};
const memory::ContactFields kHidden{
    .FileAs = "Ann", .BusinessFaxNumber = "Fax: 0123 456", .HomeFaxNumber = "Fax: 0789"};
const memory::ContactFields kNoFax{.FileAs = "Bob"};

const SaveCase kSaveCases[] = {
    {"on_hides_and_closes", SaveCase::Dword, 1, "", kShown, kHidden, true},
    {"on_with_all_hidden_changes_nothing", SaveCase::Dword, 1, "", kHidden, kHidden, false},
    {"on_without_fax_numbers_changes_nothing", SaveCase::Dword, 1, "", kNoFax, kNoFax, false},
    {"off_shows_and_closes", SaveCase::Dword, 0, "", kHidden, kShown, true},
    {"off_with_all_shown_changes_nothing", SaveCase::Dword, 0, "", kShown, kShown, false},
    {"missing_value_acts_as_off", SaveCase::Missing, 0, "", kHidden, kShown, true},
    {"two_does_nothing", SaveCase::Dword, 2, "", kShown, kShown, false},
    {"minus_one_does_nothing", SaveCase::Dword, -1, "", kHidden, kHidden, false},
    {"text_one_acts_as_on", SaveCase::Text, 0, "1", kShown, kHidden, true},
    {"text_zero_acts_as_off", SaveCase::Text, 0, "0", kHidden, kShown, true},
};

class SaveWithSwitch : public AddInFixture, public testing::WithParamInterface<SaveCase> {};

TEST_P(SaveWithSwitch, StoresTheContactInTheStateTheSwitchAsksFor) {
    const SaveCase& c = GetParam();
    if (c.stored == SaveCase::Dword)
        StoreSwitch(c.number);
    if (c.stored == SaveCase::Text)
        StoreSwitchText(c.text);
    auto contact = contacts.AddContact();
    Connect();
    auto window = client.OpenInspector(contact);
    for (auto field : {ContactField::FileAs, ContactField::BusinessFaxNumber,
                       ContactField::HomeFaxNumber, ContactField::OtherFaxNumber}) {
        window.Edit(field, c.typed.Get(field));
    }

    window.Save();

    EXPECT_EQ(contact.Stored(), c.expectedStored)
        << "stored business fax: '" << contact.Stored(ContactField::BusinessFaxNumber)
        << "', home fax: '" << contact.Stored(ContactField::HomeFaxNumber) << "'";
    EXPECT_EQ(window.IsOpen(), !c.windowCloses);
    EXPECT_EQ(contact.Saves(), 1) << "the item must be stored exactly once";
    EXPECT_TRUE(client.HandlerErrors().empty()) << HandlerErrorsText();
}

INSTANTIATE_TEST_SUITE_P(Switch, SaveWithSwitch, testing::ValuesIn(kSaveCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AddInFixture, ASwitchTextThatIsNoNumberFailsTheSaveHandlerAndChangesNothing) {
    StoreSwitchText("yes");
    auto contact = contacts.AddContact(kShown);
    Connect();
    auto window = client.OpenInspector(contact);

    window.Save();

    ASSERT_EQ(client.HandlerErrors().size(), 1u) << HandlerErrorsText();
    EXPECT_EQ(client.HandlerErrors()[0].number, RaisedError::TypeMismatch);
    EXPECT_EQ(contact.Stored(), kShown) << "not cancelled, so the user's version is stored";
    EXPECT_TRUE(window.IsOpen());
}

TEST_F(AddInFixture, AFieldThatFailsMidRuleEndsTheHandlerWithoutCancelling) {
    StoreSwitch(1);
    auto contact = contacts.AddContact(
        {.FileAs = "Ann", .BusinessFaxNumber = "0123", .HomeFaxNumber = "0456"});
    contact.FailOn("OtherFaxNumber.Get", 4096);
    Connect();
    auto window = client.OpenInspector(contact);

    window.Save();

    ASSERT_EQ(client.HandlerErrors().size(), 1u) << HandlerErrorsText();
    EXPECT_EQ(client.HandlerErrors()[0].number, 4096);
    // Home was marked before the failure; the write went on with what the item held.
    EXPECT_EQ(contact.Stored(ContactField::HomeFaxNumber), "Fax: 0456");
    EXPECT_EQ(contact.Stored(ContactField::BusinessFaxNumber), "0123");
    EXPECT_TRUE(window.IsOpen());
}

TEST_F(AddInFixture, TheNextSaveFollowsASwitchChangedWhileTheWindowIsOpen) {
    StoreSwitch(0);
    auto contact = contacts.AddContact(kShown);
    Connect();
    auto first = client.OpenInspector(contact);
    first.Save();
    EXPECT_EQ(contact.Stored(), kShown);
    ASSERT_TRUE(first.IsOpen());

    StoreSwitch(1);
    first.Save();

    EXPECT_EQ(contact.Stored(), kHidden);
    EXPECT_FALSE(first.IsOpen());
}

TEST_F(AddInFixture, ASaveThatClosesTheLastWindowDetachesInsideTheWriteSafely) {
    StoreSwitch(1);
    auto contact = contacts.AddContact(kShown);
    client.ClearActiveExplorer();
    Connect();
    auto window = client.OpenInspector(contact);

    window.Save();

    EXPECT_EQ(contact.Stored(), kHidden);
    EXPECT_FALSE(window.IsOpen());
    EXPECT_FALSE(AddIn().HoldsAnything()) << "the last window closed inside the save";
    EXPECT_EQ(client.LiveSubscriptions(), 0);
    EXPECT_TRUE(client.HandlerErrors().empty()) << HandlerErrorsText();
}

TEST_F(AddInFixture, AFailingCloseStillStoresTheUsersSave) {
    StoreSwitch(1);
    auto contact = contacts.AddContact(kShown);
    contact.FailOn("Close", 4097);
    Connect();
    auto window = client.OpenInspector(contact);

    window.Save();

    ASSERT_EQ(client.HandlerErrors().size(), 1u) << HandlerErrorsText();
    EXPECT_EQ(client.HandlerErrors()[0].number, 4097);
    EXPECT_EQ(contact.Stored(), kHidden) << "the write goes ahead with the fields already marked";
    EXPECT_EQ(contact.Saves(), 1);
    EXPECT_TRUE(window.IsOpen());
}

struct UnreadableSwitch {
    const char* name;
    memory::MemoryRegistry::Function failing;
    long code;
};

class AnUnreadableSwitch : public AddInFixture,
                           public testing::WithParamInterface<UnreadableSwitch> {};

TEST_P(AnUnreadableSwitch, LeavesTheSavedContactAsItIs) {
    StoreSwitch(1);
    auto contact = contacts.AddContact(kHidden);
    Connect();
    auto window = client.OpenInspector(contact);
    window.Edit(ContactField::FileAs, "Ann Archer");
    registry.FailCalls(GetParam().failing, GetParam().code);

    window.Save();

    memory::ContactFields expected = kHidden;
    expected.FileAs = "Ann Archer";
    EXPECT_EQ(contact.Stored(), expected) << "an unreadable switch is not off";
    EXPECT_EQ(contact.Saves(), 1);
    EXPECT_TRUE(window.IsOpen());
    ASSERT_EQ(client.HandlerErrors().size(), 1u) << HandlerErrorsText();
    EXPECT_NE(client.HandlerErrors()[0].description.find("Software\\Merrowind\\Telvane\\Options"),
              std::string::npos)
        << HandlerErrorsText();
}

using Function = memory::MemoryRegistry::Function;
INSTANTIATE_TEST_SUITE_P(
    Failures, AnUnreadableSwitch,
    testing::Values(UnreadableSwitch{"key_access_denied", Function::OpenKey, 5},
                    UnreadableSwitch{"value_access_denied", Function::QueryValue, 5},
                    UnreadableSwitch{"key_deleted", Function::QueryValue, 1018}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AddInFixture, AMissingKeyStillMeansOffWhenTheRegistryAnswersNotFound) {
    StoreSwitch(1);
    auto contact = contacts.AddContact(kHidden);
    Connect();
    auto window = client.OpenInspector(contact);
    registry.FailCalls(memory::MemoryRegistry::Function::OpenKey, RegistryApi::FileNotFound);

    window.Save();

    EXPECT_EQ(contact.Stored(), kShown);
    EXPECT_TRUE(client.HandlerErrors().empty()) << HandlerErrorsText();
}

}  // namespace
}  // namespace telvane
