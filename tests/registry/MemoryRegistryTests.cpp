// What only the in-memory registry offers: failures on demand, handle counting, remote
// registries, its environment and its .reg text. cRegistry's failure paths are driven from here.
#include "platform/memory/registry/MemoryRegistry.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdio>
#include <filesystem>
#include <functional>

#include "common/outlook/RaisedError.h"
#include "registry/cRegistry.h"
#include "tests/registry/PrintVariant.h"
#include "tests/registry/ShiftingRegistry.h"

namespace telvane {
namespace {

using memory::MemoryRegistry;
using Function = MemoryRegistry::Function;
using Key = RegistryApi::Key;

class MemoryRegistryTest : public ::testing::Test {
protected:
    MemoryRegistryTest() {
        m_registry.ClassKey(cRegistry::CurrentUser);
        m_registry.SectionKey("Software\\T");
        m_registry.ValueKey("V");
    }

    void Set(Key root, const std::string& path, const std::string& name, std::uint32_t type,
             std::vector<std::uint8_t> data, RegistryApi& api) {
        Key key = 0;
        ASSERT_EQ(api.RegCreateKeyExA(root, path, RegistryApi::KeyWriteAll, &key, nullptr), 0);
        ASSERT_EQ(api.RegSetValueExA(key, name, type, data.data(),
                                     static_cast<std::uint32_t>(data.size())),
                  0);
        api.RegCloseKey(key);
    }
    void Set(const std::string& name, std::uint32_t type, std::vector<std::uint8_t> data) {
        Set(RegistryApi::CurrentUser, "Software\\T", name, type, std::move(data), m_memory);
    }

    // The value's bytes, or nothing when the key or value is missing.
    std::optional<std::vector<std::uint8_t>> Get(RegistryApi& api, Key root,
                                                 const std::string& path, const std::string& name) {
        Key key = 0;
        if (api.RegOpenKeyExA(root, path, 0, RegistryApi::KeyQueryValue, &key) != 0)
            return {};
        std::vector<std::uint8_t> data(64);
        auto size = static_cast<std::uint32_t>(data.size());
        long result = api.RegQueryValueExA(key, name, nullptr, data.data(), &size);
        api.RegCloseKey(key);
        if (result != 0)
            return {};
        data.resize(size);
        return data;
    }

    MemoryRegistry m_memory;
    cRegistry m_registry{m_memory, "Telvane"};
};

struct Operation {
    const char* name;
    std::optional<Function> failing;
    std::function<void(cRegistry&)> run;
    friend void PrintTo(const Operation& c, std::ostream* out) { *out << c.name; }
};

class HandleTest : public MemoryRegistryTest, public ::testing::WithParamInterface<Operation> {};

TEST_P(HandleTest, EveryHandleIsClosedOnSuccessAndFailure) {
    Set("V", RegistryApi::ExpandSz, {'%', 'X', '%', 0});
    Set(RegistryApi::CurrentUser, "Software\\T\\Sub", "W", RegistryApi::Dword, {1, 0, 0, 0},
        m_memory);
    if (GetParam().failing)
        m_memory.FailCalls(*GetParam().failing, 5);
    try {
        GetParam().run(m_registry);
    } catch (const RaisedError&) {
    }
    EXPECT_EQ(m_memory.OpenHandleCount(), 0u);
}

void WriteDword(cRegistry& r) {
    r.ValueType(cRegistry::RegDword);
    r.Value(Variant(std::int32_t{1}));
}
void WriteText(cRegistry& r) {
    r.ValueType(cRegistry::RegSz);
    r.Value(Variant("x"));
}
void WriteBytesWrongly(cRegistry& r) {
    r.ValueType(cRegistry::RegBinary);
    r.Value(Variant("not bytes"));
}
void WriteUnsupported(cRegistry& r) {
    r.ValueType(cRegistry::RegMultiSz);
    r.Value(Variant("x"));
}
void Read(cRegistry& r) {
    r.Value();
}
void ListValues(cRegistry& r) {
    std::vector<std::string> names;
    std::int32_t count = 0;
    r.EnumerateValues(names, count);
}
void ListSections(cRegistry& r) {
    std::vector<std::string> names;
    std::int32_t count = 0;
    r.EnumerateSections(names, count);
}

INSTANTIATE_TEST_SUITE_P(
    Operations, HandleTest,
    ::testing::Values(
        Operation{"Read", std::nullopt, Read},
        Operation{"ReadFailingQuery", Function::QueryValue, Read},
        Operation{"ReadFailingExpand", Function::ExpandEnvironmentStrings, Read},
        Operation{"WriteDword", std::nullopt, WriteDword},
        Operation{"WriteFailingSet", Function::SetValue, WriteText},
        Operation{"WriteBytesWrongly", std::nullopt, WriteBytesWrongly},
        Operation{"WriteUnsupportedType", std::nullopt, WriteUnsupported},
        Operation{"KeyExists", std::nullopt, [](cRegistry& r) { r.KeyExists(); }},
        Operation{"CreateKey", std::nullopt, [](cRegistry& r) { r.CreateKey(); }},
        Operation{"DeleteValue", std::nullopt, [](cRegistry& r) { r.DeleteValue(); }},
        Operation{"DeleteValueFailing", Function::DeleteValue,
                  [](cRegistry& r) { r.DeleteValue(); }},
        Operation{"ListValues", std::nullopt, ListValues},
        Operation{"ListValuesFailingInfo", Function::QueryInfoKey, ListValues},
        Operation{"ListValuesFailingEnum", Function::EnumValue, ListValues},
        Operation{"ListSections", std::nullopt, ListSections},
        Operation{"ListSectionsFailing", Function::EnumKey, ListSections},
        Operation{"Associate", std::nullopt,
                  [](cRegistry& r) { r.CreateEXEAssociation("x.exe", "T.Doc", "Doc", "tdoc"); }},
        Operation{"AssociateFailingSet", Function::SetValue,
                  [](cRegistry& r) { r.CreateEXEAssociation("x.exe", "T.Doc", "Doc", "tdoc"); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MemoryRegistryTest, FailureOnOneKeyPathLeavesOthersWorking) {
    m_memory.FailCalls(Function::SetValue, 5, "hkey_current_user\\software\\T\\");
    m_registry.ValueType(cRegistry::RegDword);
    try {
        m_registry.Value(Variant(std::int32_t{4}));
        ADD_FAILURE() << "nothing was raised";
    } catch (const RaisedError& error) {
        EXPECT_EQ(error.Number(), -2147194455);
        EXPECT_EQ(error.Description(),
                  "Failed to set registry value Key: '-2147483647',Section: 'Software\\T',Key: "
                  "'V' to value: '4'");
    }
    m_registry.SectionKey("Software\\Other");
    m_registry.Value(Variant(std::int32_t{4}));
    EXPECT_EQ(Get(m_memory, RegistryApi::CurrentUser, "Software\\Other", "V"),
              (std::vector<std::uint8_t>{4, 0, 0, 0}));
    m_memory.ClearFailures();
    m_registry.SectionKey("Software\\T");
    m_registry.Value(Variant(std::int32_t{4}));
    EXPECT_TRUE(Get(m_memory, RegistryApi::CurrentUser, "Software\\T", "V"));
}

TEST_F(MemoryRegistryTest, FailingReadsGiveDefault) {
    Set("V", RegistryApi::Dword, {1, 0, 0, 0});
    m_registry.Default(Variant("d"));
    for (Function failing : {Function::OpenKey, Function::QueryValue}) {
        m_memory.FailCalls(failing, 5);
        EXPECT_EQ(m_registry.Value(), Variant("d"));
        m_memory.ClearFailures();
    }
    EXPECT_EQ(m_registry.Value(), Variant(std::int32_t{1}));
}

TEST_F(MemoryRegistryTest, FailingExpansionKeepsTheStoredText) {
    Set("V", RegistryApi::ExpandSz, {'%', 'X', '%', 0});
    m_memory.SetEnvironment("x", "expanded");
    EXPECT_EQ(m_registry.Value(), Variant("expanded"));
    m_memory.FailCalls(Function::ExpandEnvironmentStrings, 0);
    EXPECT_EQ(m_registry.Value(), Variant("%X%"));
    m_memory.ClearFailures();
    m_memory.RemoveEnvironment("X");
    EXPECT_EQ(m_registry.Value(), Variant("%X%"));
}

TEST_F(MemoryRegistryTest, MachineReadsAndWritesTheRemoteRegistryAndClosesTheConnection) {
    m_memory.AddRemoteMachine("PC1");
    m_registry.Machine("pc1");
    m_registry.ClassKey(cRegistry::LocalMachine);
    m_registry.ValueType(cRegistry::RegDword);
    m_registry.Value(Variant(std::int32_t{7}));
    EXPECT_EQ(m_memory.CallCount(Function::ConnectRegistry), 1u);
    EXPECT_EQ(m_memory.OpenHandleCount(), 0u);
    EXPECT_FALSE(Get(m_memory, RegistryApi::LocalMachine, "Software\\T", "V"))
        << "nothing lands in this computer's registry";

    Key remote = 0;
    ASSERT_EQ(m_memory.RegConnectRegistryA("\\\\PC1", RegistryApi::LocalMachine, &remote), 0);
    EXPECT_EQ(Get(m_memory, remote, "Software\\T", "V"), (std::vector<std::uint8_t>{7, 0, 0, 0}));
    m_memory.RegCloseKey(remote);

    m_registry.ValueType(0);
    EXPECT_EQ(m_registry.Value(), Variant(std::int32_t{7}));
    EXPECT_EQ(m_memory.OpenHandleCount(), 0u);
}

TEST_F(MemoryRegistryTest, RemoteClassesRootIsRefused) {
    m_memory.AddRemoteMachine("pc1");
    m_registry.Machine("pc1");
    m_registry.ClassKey(cRegistry::ClassesRoot);
    m_registry.Default(Variant("d"));
    EXPECT_EQ(m_registry.Value(), Variant("d"));
    m_registry.ValueType(cRegistry::RegDword);
    try {
        m_registry.Value(Variant(std::int32_t{1}));
        ADD_FAILURE() << "nothing was raised";
    } catch (const RaisedError& error) {
        EXPECT_EQ(error.Number(), 26001);
    }
    EXPECT_EQ(m_memory.OpenHandleCount(), 0u);
}

TEST_F(MemoryRegistryTest, ComputerNameReachesThisRegistry) {
    m_memory.SetLocalMachineName("HOME-PC");
    Set("V", RegistryApi::Dword, {3, 0, 0, 0});
    m_registry.Machine("home-pc");
    EXPECT_EQ(m_registry.Value(), Variant(std::int32_t{3}));
}

TEST_F(MemoryRegistryTest, KeyNamesOverTheLimitAreRefusedAsInvalid) {
    Key key = 0;
    const std::string tooLong = "Software\\" + std::string(256, 'k') + "\\Below";
    EXPECT_EQ(m_memory.RegCreateKeyExA(RegistryApi::CurrentUser, tooLong, 0x3F, &key, nullptr),
              RegistryApi::InvalidParameter);
    EXPECT_EQ(m_memory.OpenHandleCount(), 0u);
}

TEST_F(MemoryRegistryTest, CountdownFailsTheKthCallFromNowOrEveryCallFromIt) {
    Set("V", RegistryApi::Dword, {1, 0, 0, 0});
    for (bool every : {false, true}) {
        // A read is: open, size probe, read, close.
        if (every) {
            m_memory.FailCallsFromNow(2, 5);
        } else {
            m_memory.FailCallFromNow(2, 5);
        }
        m_registry.Default(Variant("d"));
        EXPECT_EQ(m_registry.Value(), Variant("d")) << every;
        EXPECT_EQ(m_registry.LastReadResult(), 5);
        EXPECT_EQ(m_memory.CountdownFiredAt(), 2u);
        EXPECT_EQ(m_registry.Value(), every ? Variant("d") : Variant(std::int32_t{1})) << every;
        // Failing from there on fails the closing too, as it would on a broken registry.
        EXPECT_EQ(m_memory.OpenHandleCount(), every ? 1u : 0u);
        m_memory.ClearFailures();
        EXPECT_EQ(m_registry.Value(), Variant(std::int32_t{1}));
    }
}

TEST_F(MemoryRegistryTest, RootsNeedNoClosingAndOpenHandlesAreCounted) {
    Key key = 0;
    ASSERT_EQ(m_memory.RegOpenKeyExA(RegistryApi::CurrentUser, "", 0, 1, &key), 0);
    EXPECT_EQ(key, RegistryApi::CurrentUser);
    EXPECT_EQ(m_memory.OpenHandleCount(), 0u);
    ASSERT_EQ(m_memory.RegCreateKeyExA(RegistryApi::CurrentUser, "A", 0x3F, &key, nullptr), 0);
    EXPECT_EQ(m_memory.OpenHandleCount(), 1u);
    m_memory.RegCloseKey(key);
    EXPECT_EQ(m_memory.OpenHandleCount(), 0u);
}

TEST(ShiftingRegistryTest, ValueNamesLongerThanReportedAreStillListed) {
    ShiftingRegistry shifting;
    shifting.nameLengthShortfall = 3;
    Key key = 0;
    ASSERT_EQ(shifting.RegCreateKeyExA(RegistryApi::CurrentUser, "T", 0x3F, &key, nullptr), 0);
    std::uint8_t byte = 1;
    for (const char* name : {"Short", "MuchLongerName"}) {
        ASSERT_EQ(shifting.RegSetValueExA(key, name, RegistryApi::Binary, &byte, 1), 0);
    }
    shifting.RegCloseKey(key);
    cRegistry registry(shifting, "Telvane");
    registry.ClassKey(cRegistry::CurrentUser);
    registry.SectionKey("T");
    std::vector<std::string> names;
    std::int32_t count = 0;
    registry.EnumerateValues(names, count);
    EXPECT_EQ(names, (std::vector<std::string>{"MuchLongerName", "Short"}));
    EXPECT_EQ(count, 2);
}

TEST(ShiftingRegistryTest, ValueThatGrowsAfterTheSizeProbeIsReadWhole) {
    ShiftingRegistry shifting;
    Key key = 0;
    ASSERT_EQ(shifting.RegCreateKeyExA(RegistryApi::CurrentUser, "T", 0x3F, &key, nullptr), 0);
    ASSERT_EQ(shifting.RegSetValueExA(key, "V", RegistryApi::Sz,
                                      reinterpret_cast<const std::uint8_t*>("ab"), 3),
              0);
    shifting.afterSizeProbe = [&] {
        shifting.RegSetValueExA(key, "V", RegistryApi::Sz,
                                reinterpret_cast<const std::uint8_t*>("longer text"), 12);
    };
    cRegistry registry(shifting, "Telvane");
    registry.ClassKey(cRegistry::CurrentUser);
    registry.SectionKey("T");
    registry.ValueKey("V");
    EXPECT_EQ(registry.Value(), Variant("longer text"));
    shifting.RegCloseKey(key);
}

TEST(ShiftingRegistryTest, ValueThatGrowsFromNothingAfterTheSizeProbeIsReadWhole) {
    ShiftingRegistry shifting;
    Key key = 0;
    ASSERT_EQ(shifting.RegCreateKeyExA(RegistryApi::CurrentUser, "T", 0x3F, &key, nullptr), 0);
    ASSERT_EQ(shifting.RegSetValueExA(key, "V", RegistryApi::Binary, nullptr, 0), 0);
    shifting.afterSizeProbe = [&] {
        shifting.RegSetValueExA(key, "V", RegistryApi::Sz,
                                reinterpret_cast<const std::uint8_t*>("grown"), 6);
    };
    cRegistry registry(shifting, "Telvane");
    registry.ClassKey(cRegistry::CurrentUser);
    registry.SectionKey("T");
    registry.ValueKey("V");
    EXPECT_EQ(registry.Value(), Variant("grown"));
    EXPECT_EQ(registry.ValueType(), cRegistry::RegSz);
    shifting.RegCloseKey(key);
}

TEST(ShiftingRegistryTest, ErrorWhileListingSectionsIsRaisedWithItsDescription) {
    ShiftingRegistry shifting;
    for (const char* path : {"T\\a", "T\\b"}) {
        Key key = 0;
        ASSERT_EQ(shifting.RegCreateKeyExA(RegistryApi::CurrentUser, path, 0x3F, &key, nullptr), 0);
        shifting.RegCloseKey(key);
    }
    shifting.throwWhileListingKeys = true;
    cRegistry registry(shifting, "Telvane");
    registry.ClassKey(cRegistry::CurrentUser);
    registry.SectionKey("T");
    std::vector<std::string> names;
    std::int32_t count = 0;
    try {
        registry.EnumerateSections(names, count);
        ADD_FAILURE() << "nothing was raised";
    } catch (const RaisedError& error) {
        EXPECT_EQ(error.Number(), -2147194454);
        EXPECT_EQ(error.Source(), "Telvane.cRegistry");
        EXPECT_EQ(error.Description(), "listing broke");
    }
    EXPECT_EQ(shifting.OpenHandleCount(), 0u);
}

TEST_F(MemoryRegistryTest, RegTextKeepsEveryTypeAcrossExportAndImport) {
    Set("Text", RegistryApi::Sz, {'a', '"', '\\', 0});
    Set("Number", RegistryApi::Dword, {0x2A, 0, 0, 0x80});
    Set("Short", RegistryApi::Dword, {1});
    Set("Bytes", RegistryApi::Binary, {0, 0xFF});
    Set("Expand", RegistryApi::ExpandSz, {'%', 'A', '%', 0});
    Set("Unterminated", RegistryApi::Sz, {'x'});
    Set("", RegistryApi::Sz, {'d', 0});
    Set(RegistryApi::ClassesRoot, "Empty\\Leaf", "", 11, {}, m_memory);
    const std::string text = m_memory.ExportRegText();

    MemoryRegistry copy;
    copy.ImportRegText(text);
    EXPECT_EQ(copy.ExportRegText(), text);
    EXPECT_EQ(Get(copy, RegistryApi::CurrentUser, "Software\\T", "Short"),
              std::vector<std::uint8_t>{1});
    EXPECT_EQ(Get(copy, RegistryApi::CurrentUser, "Software\\T", "Text"),
              (std::vector<std::uint8_t>{'a', '"', '\\', 0}));

    const auto file = std::filesystem::temp_directory_path() /
                      ("telvane-registry-" + std::to_string(::getpid()) + ".reg");
    m_memory.SaveToFile(file);
    MemoryRegistry loaded;
    loaded.LoadFromFile(file);
    std::filesystem::remove(file);
    EXPECT_EQ(loaded.ExportRegText(), text);
}

TEST_F(MemoryRegistryTest, RegTextImportReadsEditorForms) {
    Key doomed = 0;
    ASSERT_EQ(
        m_memory.RegCreateKeyExA(RegistryApi::CurrentUser, "Old\\Tree", 0x3F, &doomed, nullptr), 0);
    m_memory.ImportRegText(
        "REGEDIT4\r\n"
        "; a comment\r\n"
        "[HKEY_CURRENT_USER\\Software\\T]\r\n"
        "@=\"unnamed\"\r\n"
        "\"Wrapped\"=hex:01,02,\\\r\n"
        "  03\r\n"
        "\"Gone\"=dword:00000001\r\n"
        "\"Gone\"=-\r\n"
        "[-HKEY_CURRENT_USER\\Old]\r\n"
        "[HKCR\\.x]\r\n"
        "@=hex(7):61,00,00\r\n");
    EXPECT_EQ(Get(m_memory, RegistryApi::CurrentUser, "Software\\T", ""),
              (std::vector<std::uint8_t>{'u', 'n', 'n', 'a', 'm', 'e', 'd', 0}));
    EXPECT_EQ(Get(m_memory, RegistryApi::CurrentUser, "Software\\T", "Wrapped"),
              (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_FALSE(Get(m_memory, RegistryApi::CurrentUser, "Software\\T", "Gone"));
    EXPECT_EQ(Get(m_memory, RegistryApi::ClassesRoot, ".x", ""),
              (std::vector<std::uint8_t>{'a', 0, 0}));
    std::uint8_t byte = 0;
    EXPECT_EQ(m_memory.RegSetValueExA(doomed, "V", RegistryApi::Binary, &byte, 1),
              MemoryRegistry::KeyDeleted)
        << "a handle on a key the import deleted";
    m_memory.RegCloseKey(doomed);
}

TEST_F(MemoryRegistryTest, RegTextImportNamesTheLineItCannotRead) {
    try {
        m_memory.ImportRegText("REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n\"V\"=dword:xyz\n");
        ADD_FAILURE() << "nothing was thrown";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "line 4: bad dword");
    }
}

}  // namespace
}  // namespace telvane
