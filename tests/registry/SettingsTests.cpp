// The switch as both libraries store and read it, kept in a scratch key under the classes root
// so that a real registry's own setting is never touched.
#include "registry/Settings.h"

#include <gtest/gtest.h>

#include "common/outlook/RaisedError.h"
#include "tests/registry/RegistryUnderTest.h"
#include "tests/registry/ScratchArea.h"

namespace telvane {
namespace {

class SettingsTest : public ::testing::Test {
protected:
    SettingsTest() { m_settings.SettingsKeyPath = m_scratch.Path() + "\\"; }

    ScratchArea::Stored StoredSwitch() { return m_scratch.Read("Options", "Default"); }

    std::unique_ptr<RegistryApi> m_api = MakeRegistryUnderTest();
    ScratchArea m_scratch{*m_api, RegistryApi::ClassesRoot};
    Settings m_settings{*m_api, "Telvane"};
};

TEST_F(SettingsTest, KeyPathIsPlainConcatenation) {
    m_settings.WriteSwitch(1);
    EXPECT_EQ(m_settings.SettingsRegistry().SectionKey(), m_scratch.Path() + "\\Options");
    EXPECT_EQ(StoredSwitch().result, RegistryApi::Success);
}

TEST_F(SettingsTest, NothingStoredReadsAsZero) {
    EXPECT_EQ(m_settings.ReadSwitch(), 0) << "no key";
    ASSERT_EQ(m_scratch.CreateKey("Options"), 0);
    EXPECT_EQ(m_settings.ReadSwitch(), 0) << "key without the value";
    EXPECT_EQ(StoredSwitch().result, RegistryApi::FileNotFound) << "reading stores nothing";
}

struct StoredSwitchCase {
    const char* name;
    std::uint32_t type;
    std::vector<std::uint8_t> data;
    std::int16_t expected;
    friend void PrintTo(const StoredSwitchCase& c, std::ostream* out) { *out << c.name; }
};

class SettingsReadTest : public SettingsTest,
                         public ::testing::WithParamInterface<StoredSwitchCase> {};

TEST_P(SettingsReadTest, StoredValueReadsAsSixteenBitNumber) {
    ASSERT_EQ(m_scratch.Write("Options", "Default", GetParam().type, GetParam().data), 0);
    EXPECT_EQ(m_settings.ReadSwitch(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, SettingsReadTest,
    ::testing::Values(StoredSwitchCase{"Off", RegistryApi::Dword, {0, 0, 0, 0}, 0},
                      StoredSwitchCase{"On", RegistryApi::Dword, {1, 0, 0, 0}, 1},
                      StoredSwitchCase{"ThirdState", RegistryApi::Dword, {2, 0, 0, 0}, 2},
                      StoredSwitchCase{
                          "NegativeInRange", RegistryApi::Dword, {0x00, 0x80, 0xFF, 0xFF}, -32768},
                      StoredSwitchCase{"TextOne", RegistryApi::Sz, {'1', 0}, 1},
                      StoredSwitchCase{"TextWithBlanks", RegistryApi::Sz, {' ', '2', ' ', 0}, 2}),
    [](const auto& info) { return std::string(info.param.name); });

struct BadSwitchCase {
    const char* name;
    std::uint32_t type;
    std::vector<std::uint8_t> data;
    std::int32_t number;
    friend void PrintTo(const BadSwitchCase& c, std::ostream* out) { *out << c.name; }
};

class SettingsBadReadTest : public SettingsTest,
                            public ::testing::WithParamInterface<BadSwitchCase> {};

TEST_P(SettingsBadReadTest, ValueThatIsNoSixteenBitNumberRaises) {
    ASSERT_EQ(m_scratch.Write("Options", "Default", GetParam().type, GetParam().data), 0);
    try {
        std::int16_t state = m_settings.ReadSwitch();
        ADD_FAILURE() << "read " << state;
    } catch (const RaisedError& error) {
        EXPECT_EQ(error.Number(), GetParam().number) << error.Description();
        EXPECT_EQ(error.Source(), "Telvane");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Values, SettingsBadReadTest,
    ::testing::Values(BadSwitchCase{"Word", RegistryApi::Sz, {'y', 'e', 's', 0}, 13},
                      BadSwitchCase{"EmptyText", RegistryApi::Sz, {0}, 13},
                      BadSwitchCase{"OutOfRange", RegistryApi::Dword, {0x40, 0x9C, 0, 0}, 6},
                      BadSwitchCase{"RawBytes", RegistryApi::Binary, {1}, 13}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsTest, WriteStoresDwordAndKeepsTheValueWhenSwitchedOff) {
    m_settings.WriteSwitch(1);
    ScratchArea::Stored on = StoredSwitch();
    EXPECT_EQ(on.type, RegistryApi::Dword);
    EXPECT_EQ(on.data, (std::vector<std::uint8_t>{1, 0, 0, 0}));
    m_settings.WriteSwitch(0);
    ScratchArea::Stored off = StoredSwitch();
    EXPECT_EQ(off.result, RegistryApi::Success);
    EXPECT_EQ(off.type, RegistryApi::Dword);
    EXPECT_EQ(off.data, (std::vector<std::uint8_t>{0, 0, 0, 0}));
}

TEST_F(SettingsTest, WriteReplacesAHandWrittenText) {
    ASSERT_EQ(m_scratch.Write("Options", "Default", RegistryApi::Sz, {'1', 0}), 0);
    m_settings.WriteSwitch(0);
    EXPECT_EQ(StoredSwitch().type, RegistryApi::Dword);
    EXPECT_EQ(m_settings.ReadSwitch(), 0);
}

TEST_F(SettingsTest, OtherLibrarySeesTheSwitchAtOnce) {
    Settings page(*m_api, "TelvanePage");
    page.SettingsKeyPath = m_settings.SettingsKeyPath;
    page.WriteSwitch(1);
    EXPECT_EQ(m_settings.ReadSwitch(), 1);
    page.WriteSwitch(0);
    EXPECT_EQ(m_settings.ReadSwitch(), 0) << "nothing is cached";
}

TEST_F(SettingsTest, RegistryObjectIsMadeOnFirstUseAndKept) {
    EXPECT_FALSE(m_settings.HasSettingsRegistry());
    m_settings.ReadSwitch();
    ASSERT_TRUE(m_settings.HasSettingsRegistry());
    cRegistry* first = &m_settings.SettingsRegistry();
    m_settings.WriteSwitch(1);
    EXPECT_EQ(&m_settings.SettingsRegistry(), first);
}

TEST_F(SettingsTest, EveryAccessSelectsTheSwitchAfresh) {
    m_settings.WriteSwitch(1);
    cRegistry& registry = m_settings.SettingsRegistry();
    registry.ClassKey(cRegistry::LocalMachine);
    registry.SectionKey("Elsewhere");
    registry.ValueKey("Other");
    registry.ValueType(cRegistry::RegSz);
    EXPECT_EQ(m_settings.ReadSwitch(), 1);
    registry.ValueType(cRegistry::RegSz);
    m_settings.WriteSwitch(0);
    EXPECT_EQ(StoredSwitch().type, RegistryApi::Dword);
    EXPECT_TRUE(registry.Default().IsEmpty()) << "the store never sets Default";
}

TEST_F(SettingsTest, FailedWriteRaisesTheSetValueErrorNamingTheSwitch) {
    m_settings.SettingsKeyPath = "\\" + m_scratch.Path() + "\\";  // no key path starts so
    try {
        m_settings.WriteSwitch(1);
        ADD_FAILURE() << "nothing was raised";
    } catch (const RaisedError& error) {
        EXPECT_EQ(error.Number(), 26001);
        EXPECT_EQ(error.Source(), "Telvane.cRegistry");
        const std::string described = "Failed to set registry value Key: '-2147483648',Section: '" +
                                      m_settings.SettingsKeyPath +
                                      "Options',Key: 'Default' to value: '1' (registry error ";
        EXPECT_EQ(error.Description().substr(0, described.size()), described)
            << "the registry's own code follows the description";
        EXPECT_NE(error.Description().find_first_of("123456789", described.size()),
                  std::string::npos);
    }
    EXPECT_EQ(StoredSwitch().result, RegistryApi::FileNotFound);
}

}  // namespace
}  // namespace telvane
