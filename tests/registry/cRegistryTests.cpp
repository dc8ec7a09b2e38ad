// cRegistry over the registry under test: conversions, errors and their texts, keys, lists and
// file-type registration. Everything is read back through RegistryApi.
#include "registry/cRegistry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "common/outlook/RaisedError.h"
#include "tests/registry/PrintVariant.h"
#include "tests/registry/RegistryUnderTest.h"
#include "tests/registry/ScratchArea.h"

namespace telvane {
namespace {

constexpr std::int32_t HKCU = cRegistry::CurrentUser;

// Runs call, which must raise, and returns what it raised.
template <class Call>
RaisedError RaisedBy(Call call) {
    try {
        call();
    } catch (const RaisedError& error) {
        return error;
    }
    ADD_FAILURE() << "nothing was raised";
    return RaisedError(0, "", "");
}

class cRegistryTest : public ::testing::Test {
protected:
    cRegistryTest() {
        m_registry.ClassKey(HKCU);
        m_registry.SectionKey(m_scratch.Path());
        m_registry.ValueKey("V");
    }

    std::unique_ptr<RegistryApi> m_api = MakeRegistryUnderTest();
    ScratchArea m_scratch{*m_api, RegistryApi::CurrentUser};
    cRegistry m_registry{*m_api, "Telvane"};
};

TEST_F(cRegistryTest, NewObjectSelectsNothingAndReadsItsDefault) {
    cRegistry fresh(*m_api, "Telvane");
    EXPECT_EQ(fresh.ClassKey(), 0);
    EXPECT_EQ(fresh.SectionKey(), "");
    EXPECT_EQ(fresh.ValueKey(), "");
    EXPECT_EQ(fresh.ValueType(), 0);
    EXPECT_EQ(fresh.Machine(), "");
    EXPECT_TRUE(fresh.Value().IsEmpty());
    fresh.Default(Variant(std::int16_t{7}));
    EXPECT_EQ(fresh.Value(), Variant(std::int16_t{7}));
    EXPECT_FALSE(fresh.KeyExists());
}

TEST_F(cRegistryTest, MissingValueGivesDefaultAndKeepsValueType) {
    m_registry.Default(Variant("fallback"));
    m_registry.ValueType(cRegistry::RegBinary);
    EXPECT_EQ(m_registry.Value(), Variant("fallback"));
    EXPECT_EQ(m_registry.ValueType(), cRegistry::RegBinary);
    m_registry.SectionKey(m_scratch.Below("Missing"));
    EXPECT_EQ(m_registry.Value(), Variant("fallback"));
}

struct ReadCase {
    const char* name;
    std::uint32_t type;
    std::vector<std::uint8_t> stored;
    Variant expected;
    friend void PrintTo(const ReadCase& c, std::ostream* out) { *out << c.name; }
};

class cRegistryReadTest : public cRegistryTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(cRegistryReadTest, StoredDataReadsAsVariantAndSetsValueType) {
    SetEnvironmentForTest(*m_api, "TELVANE_TEST_DIR", "C:\\scratch");
    const ReadCase& read = GetParam();
    ASSERT_EQ(m_scratch.Write("", "V", read.type, read.stored), RegistryApi::Success);
    EXPECT_EQ(m_registry.Value(), read.expected);
    EXPECT_EQ(m_registry.ValueType(), static_cast<std::int32_t>(read.type));
}

using B = Variant::Bytes;
INSTANTIATE_TEST_SUITE_P(
    EveryType, cRegistryReadTest,
    ::testing::Values(
        ReadCase{"Text", RegistryApi::Sz, Bytes(std::string("abc\0", 4)), Variant("abc")},
        ReadCase{"EmptyTextOfZeroBytes", RegistryApi::Sz, {}, Variant("")},
        ReadCase{"TextWithoutTerminatorKeepsLastCharacter", RegistryApi::Sz, Bytes("abc"),
                 Variant("abc")},
        ReadCase{"ExpandText", RegistryApi::ExpandSz,
                 Bytes(std::string("%TELVANE_TEST_DIR%\\x\0", 21)), Variant("C:\\scratch\\x")},
        ReadCase{"EmptyExpandText", RegistryApi::ExpandSz, {}, Variant("")},
        ReadCase{"MultiTextKeepsInnerZeros", RegistryApi::MultiSz,
                 Bytes(std::string("a\0b\0\0", 5)), Variant(std::string("a\0b\0", 4))},
        ReadCase{"EmptyMultiText", RegistryApi::MultiSz, {}, Variant("")},
        ReadCase{"Dword", RegistryApi::Dword, {0x2A, 0, 0, 0}, Variant(std::int32_t{42})},
        ReadCase{"NegativeDword",
                 RegistryApi::Dword,
                 {0xFE, 0xFF, 0xFF, 0xFF},
                 Variant(std::int32_t{-2})},
        ReadCase{"BigEndianDwordReversed",
                 RegistryApi::DwordBigEndian,
                 {0, 0, 1, 2},
                 Variant(std::int32_t{258})},
        ReadCase{"ShortDwordAsItsBytes", RegistryApi::Dword, {1, 0}, Variant(B{1, 0})},
        ReadCase{
            "LongDwordAsItsBytes", RegistryApi::Dword, {1, 0, 0, 0, 9}, Variant(B{1, 0, 0, 0, 9})},
        ReadCase{"Binary", RegistryApi::Binary, {1, 2, 3}, Variant(B{1, 2, 3})},
        ReadCase{"EmptyBinary", RegistryApi::Binary, {}, Variant(B{})},
        ReadCase{"None", RegistryApi::None, {7, 8}, Variant(B{7, 8})},
        ReadCase{"UnknownType", 11, {1, 2, 3, 4, 5, 6, 7, 8}, Variant(B{1, 2, 3, 4, 5, 6, 7, 8})}),
    [](const auto& info) { return std::string(info.param.name); });

struct WriteCase {
    const char* name;
    std::int32_t valueType;
    Variant value;
    std::optional<std::uint32_t> storedType;  // none: nothing is stored
    std::vector<std::uint8_t> stored;
    friend void PrintTo(const WriteCase& c, std::ostream* out) { *out << c.name; }
};

class cRegistryWriteTest : public cRegistryTest, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(cRegistryWriteTest, ValueIsStoredByValueTypeRules) {
    const WriteCase& write = GetParam();
    m_registry.SectionKey(m_scratch.Below("New\\Key"));
    m_registry.ValueType(write.valueType);
    m_registry.Value(write.value);
    ScratchArea::Stored stored = m_scratch.Read("New\\Key", "V");
    EXPECT_TRUE(m_scratch.Exists("New\\Key")) << "the key is created in any case";
    if (!write.storedType) {
        EXPECT_EQ(stored.result, RegistryApi::FileNotFound) << "type " << stored.type;
        return;
    }
    ASSERT_EQ(stored.result, RegistryApi::Success);
    EXPECT_EQ(stored.type, *write.storedType);
    EXPECT_EQ(stored.data, write.stored);
}

constexpr auto Sz = RegistryApi::Sz;
constexpr auto ExpandSz = RegistryApi::ExpandSz;
INSTANTIATE_TEST_SUITE_P(
    Rules, cRegistryWriteTest,
    ::testing::Values(
        WriteCase{"TextWithZero", 1, Variant("abc"), Sz, Bytes(std::string("abc\0", 4))},
        WriteCase{"TypeTwoStillPlainText", 2, Variant("abc"), Sz, Bytes(std::string("abc\0", 4))},
        WriteCase{"EmptyText", 1, Variant(""), Sz, {0}},
        WriteCase{"VariableMakesExpandText", 1, Variant("%TEMP%\\x"), ExpandSz,
                  Bytes(std::string("%TEMP%\\x\0", 9))},
        WriteCase{"ShortestVariable", 1, Variant("%a%"), ExpandSz, Bytes(std::string("%a%\0", 4))},
        WriteCase{"LonePercent", 2, Variant("50%"), Sz, Bytes(std::string("50%\0", 4))},
        WriteCase{"DoublePercent", 2, Variant("100%% sure"), Sz,
                  Bytes(std::string("100%% sure\0", 11))},
        WriteCase{"NumberAsText", 1, Variant(std::int16_t{5}), Sz, {'5', 0}},
        WriteCase{"BooleanAsText", 1, Variant(true), Sz, Bytes(std::string("True\0", 5))},
        WriteCase{"Int16AsDword", 4, Variant(std::int16_t{1}), RegistryApi::Dword, {1, 0, 0, 0}},
        WriteCase{"BigEndianStoredAsPlainDword",
                  5,
                  Variant(std::int16_t{1}),
                  RegistryApi::Dword,
                  {1, 0, 0, 0}},
        WriteCase{"NegativeInt32",
                  4,
                  Variant(std::int32_t{-2}),
                  RegistryApi::Dword,
                  {0xFE, 0xFF, 0xFF, 0xFF}},
        WriteCase{"BooleanAsDwordWritesNothing", 4, Variant(true), std::nullopt, {}},
        WriteCase{"TextAsDwordWritesNothing", 4, Variant("1"), std::nullopt, {}},
        WriteCase{"DoubleAsDwordWritesNothing", 4, Variant(1.0), std::nullopt, {}},
        WriteCase{"EmptyAsDwordWritesNothing", 4, Variant(), std::nullopt, {}},
        WriteCase{"Bytes", 3, Variant(B{1, 2, 3}), RegistryApi::Binary, {1, 2, 3}},
        WriteCase{"NoBytes", 3, Variant(B{}), RegistryApi::Binary, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(cRegistryTest, ExpandTextWrittenReadsBackExpandedAsTypeTwo) {
    SetEnvironmentForTest(*m_api, "TELVANE_TEST_DIR", "C:\\scratch");
    m_registry.ValueType(cRegistry::RegSz);
    m_registry.Value(Variant("%TELVANE_TEST_DIR%\\x"));
    m_registry.ValueType(0);
    EXPECT_EQ(m_registry.Value(), Variant("C:\\scratch\\x"));
    EXPECT_EQ(m_registry.ValueType(), cRegistry::RegExpandSz);
}

struct WriteError {
    const char* name;
    std::int32_t valueType;
    Variant value;
    std::int32_t number;
    const char* valueText;  // null: the error has no source or description
    friend void PrintTo(const WriteError& c, std::ostream* out) { *out << c.name; }
};

class cRegistryWriteErrorTest : public cRegistryTest,
                                public ::testing::WithParamInterface<WriteError> {};

TEST_P(cRegistryWriteErrorTest, UnstorableValueRaisesAndStoresNothing) {
    const WriteError& write = GetParam();
    m_registry.ValueType(write.valueType);
    RaisedError error = RaisedBy([&] { m_registry.Value(write.value); });
    EXPECT_EQ(error.Number(), write.number);
    if (write.valueText) {
        EXPECT_EQ(error.Source(), "Telvane.cRegistry");
        EXPECT_EQ(error.Description(),
                  "Failed to set registry value Key: '-2147483647',Section: '" + m_scratch.Path() +
                      "',Key: 'V' to value: '" + write.valueText + "'");
    } else {
        EXPECT_EQ(error.Source(), "");
        EXPECT_EQ(error.Description(), "");
    }
    EXPECT_EQ(m_scratch.Read("", "V").result, RegistryApi::FileNotFound);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, cRegistryWriteErrorTest,
    ::testing::Values(WriteError{"MultiTextType", 7, Variant("abc"), -2147194455, "abc"},
                      WriteError{"NoneType", 0, Variant(std::int16_t{3}), -2147194455, "3"},
                      WriteError{"BytesAsText", 1, Variant(B{1, 0xA0, 0xFF}), -2147194455,
                                 "01 A0 FF"},
                      WriteError{"TextAsBytes", 3, Variant("abc"), 26001, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(cRegistryTest, WriteToKeyThatCannotBeCreatedRaises26001) {
    m_registry.ClassKey(0);
    m_registry.ValueType(cRegistry::RegDword);
    RaisedError error = RaisedBy([&] { m_registry.Value(Variant(std::int32_t{9})); });
    EXPECT_EQ(error.Number(), 26001);
    EXPECT_EQ(error.Description(), "Failed to set registry value Key: '0',Section: '" +
                                       m_scratch.Path() + "',Key: 'V' to value: '9'");
}

TEST_F(cRegistryTest, KeysAreTestedCreatedAndDeleted) {
    m_registry.SectionKey(m_scratch.Below("a\\b"));
    EXPECT_FALSE(m_registry.KeyExists());
    EXPECT_TRUE(m_registry.CreateKey());
    EXPECT_TRUE(m_registry.KeyExists());
    EXPECT_TRUE(m_registry.CreateKey()) << "an existing key is simply opened";

    m_registry.SectionKey(m_scratch.Below("a"));
    RaisedError refused = RaisedBy([&] { m_registry.DeleteKey(); });
    EXPECT_EQ(refused.Number(), 26001);
    EXPECT_EQ(refused.Source(), "Telvane.cRegistry");
    EXPECT_EQ(refused.Description(),
              "Failed to delete registry Key: '-2147483647',Section: '" + m_scratch.Below("a"));
    m_registry.SectionKey(m_scratch.Below("a\\b"));
    EXPECT_TRUE(m_registry.DeleteKey());
    EXPECT_FALSE(m_scratch.Exists("a\\b"));
    EXPECT_EQ(RaisedBy([&] { m_registry.DeleteKey(); }).Number(), 26001) << "already gone";
}

TEST_F(cRegistryTest, CreateKeyThatCannotBeMadeRaises) {
    m_registry.ClassKey(0);
    RaisedError error = RaisedBy([&] { m_registry.CreateKey(); });
    EXPECT_EQ(error.Number(), 26001);
    EXPECT_EQ(error.Description(), "Failed to create registry Key: '" + m_scratch.Path());
}

TEST_F(cRegistryTest, DeleteValueRemovesItOrSaysWhatFailed) {
    ASSERT_EQ(m_scratch.Write("", "V", RegistryApi::Binary, {1}), 0);
    EXPECT_TRUE(m_registry.DeleteValue());
    EXPECT_EQ(m_scratch.Read("", "V").result, RegistryApi::FileNotFound);

    RaisedError missingValue = RaisedBy([&] { m_registry.DeleteValue(); });
    EXPECT_EQ(missingValue.Number(), 26001);
    EXPECT_EQ(
        missingValue.Description(),
        "Failed to delete registry Key: '-2147483647',Section: '" + m_scratch.Path() + "',Key: 'V");

    m_registry.SectionKey(m_scratch.Below("Missing"));
    RaisedError missingKey = RaisedBy([&] { m_registry.DeleteValue(); });
    EXPECT_EQ(missingKey.Number(), 26001);
    EXPECT_EQ(missingKey.Description(), "Failed to open key '-2147483647',Section: '" +
                                            m_scratch.Below("Missing") + "' for delete access");
}

TEST_F(cRegistryTest, EnumerateValuesListsEveryNameAndCountsThem) {
    for (const char* name : {"One", "Two", ""}) {
        ASSERT_EQ(m_scratch.Write("", name, RegistryApi::Binary, {1}), 0);
    }
    std::vector<std::string> names = {"left over"};
    std::int32_t count = -1;
    EXPECT_TRUE(m_registry.EnumerateValues(names, count));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"", "One", "Two"}));
    EXPECT_EQ(count, 3);

    m_registry.SectionKey(m_scratch.Below("Missing"));
    EXPECT_TRUE(m_registry.EnumerateValues(names, count));
    EXPECT_TRUE(names.empty()) << names.size() << " names";
    EXPECT_EQ(count, 0);
}

TEST_F(cRegistryTest, EnumerateSectionsListsSubKeysEvenOfTheLongestName) {
    // Made below an open scratch key: the ANSI functions take no path beyond 260 characters.
    const std::string longest(255, 'k');
    RegistryApi::Key scratch = 0;
    ASSERT_EQ(m_api->RegOpenKeyExA(m_scratch.Root(), m_scratch.Path(), 0, RegistryApi::KeyWriteAll,
                                   &scratch),
              0);
    for (const std::string& name : {std::string("Beta"), std::string("alpha"), longest}) {
        RegistryApi::Key key = 0;
        EXPECT_EQ(m_api->RegCreateKeyExA(scratch, name, RegistryApi::KeyWriteAll, &key, nullptr), 0)
            << name.size() << " characters";
        m_api->RegCloseKey(key);
    }
    m_api->RegCloseKey(scratch);
    ASSERT_EQ(m_scratch.CreateKey("Beta\\Deeper"), 0);
    std::vector<std::string> names = {"left over"};
    std::int32_t count = -1;
    EXPECT_TRUE(m_registry.EnumerateSections(names, count));
    EXPECT_EQ(names, (std::vector<std::string>{"alpha", "Beta", longest}));
    EXPECT_EQ(count, 3);
}

TEST_F(cRegistryTest, EnumerateSectionsOfEmptyOrMissingKeyIsEmpty) {
    for (const std::string relative : {"", "Missing"}) {
        m_registry.SectionKey(m_scratch.Below(relative));
        std::vector<std::string> names = {"left over"};
        std::int32_t count = -1;
        EXPECT_TRUE(m_registry.EnumerateSections(names, count)) << relative;
        EXPECT_TRUE(names.empty()) << relative << ": " << names.size() << " names";
        EXPECT_EQ(count, 0) << relative;
    }
}

TEST_F(cRegistryTest, ValueExSelectsThenReadsAndWrites) {
    ASSERT_EQ(m_scratch.Write("", "N", RegistryApi::Dword, {3, 0, 0, 0}), 0);
    cRegistry registry(*m_api, "Telvane");
    EXPECT_EQ(registry.ValueEx(HKCU, m_scratch.Path(), "N", cRegistry::RegSz, Variant("d")),
              Variant(std::int32_t{3}));
    EXPECT_EQ(registry.ClassKey(), HKCU);
    EXPECT_EQ(registry.SectionKey(), m_scratch.Path());
    EXPECT_EQ(registry.ValueKey(), "N");
    EXPECT_EQ(registry.ValueType(), cRegistry::RegDword) << "set by the read";
    EXPECT_EQ(registry.Default(), Variant("d"));
    EXPECT_EQ(registry.ValueEx(HKCU, m_scratch.Path(), "Missing", 0, Variant("d")), Variant("d"));

    registry.ValueEx(HKCU, m_scratch.Path(), "T", cRegistry::RegSz, Variant("instead"),
                     Variant(""));
    EXPECT_EQ(m_scratch.Read("", "T").data, Bytes(std::string("instead\0", 8)))
        << "empty text writes the default";
    registry.ValueEx(HKCU, m_scratch.Path(), "T", cRegistry::RegSz, Variant("instead"),
                     Variant("given"));
    EXPECT_EQ(m_scratch.Read("", "T").data, Bytes(std::string("given\0", 6)));
    registry.ValueEx(HKCU, m_scratch.Path(), "D", cRegistry::RegDword, Variant("x"),
                     Variant(std::int16_t{0}));
    EXPECT_EQ(m_scratch.Read("", "D").data, (std::vector<std::uint8_t>{0, 0, 0, 0}));
}

struct MachineName {
    const char* given;
    const char* kept;
    friend void PrintTo(const MachineName& c, std::ostream* out) { *out << '"' << c.given << '"'; }
};

class cRegistryMachineTest : public cRegistryTest,
                             public ::testing::WithParamInterface<MachineName> {};

TEST_P(cRegistryMachineTest, NameIsKeptWithTwoBackslashesOrCleared) {
    m_registry.Machine(GetParam().given);
    EXPECT_EQ(m_registry.Machine(), GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(Names, cRegistryMachineTest,
                         ::testing::Values(MachineName{"pc1", "\\\\pc1"},
                                           MachineName{"\\\\pc1", "\\\\pc1"}, MachineName{"ab", ""},
                                           MachineName{"", ""}));

TEST_F(cRegistryTest, UnreachableMachineReadsDefaultAndRefusesWritesWithoutTouchingThisOne) {
    ASSERT_EQ(m_scratch.Write("", "V", RegistryApi::Dword, {1, 0, 0, 0}), 0);
    m_registry.Machine("telvane-no-such-host");
    m_registry.Default(Variant("unreachable"));
    EXPECT_EQ(m_registry.Value(), Variant("unreachable"));

    m_registry.SectionKey(m_scratch.Below("Remote"));
    m_registry.ValueType(cRegistry::RegDword);
    RaisedError error = RaisedBy([&] { m_registry.Value(Variant(std::int32_t{2})); });
    EXPECT_EQ(error.Number(), 26001);
    EXPECT_EQ(error.Description(), "Failed to set registry value Key: '-2147483647',Section: '" +
                                       m_scratch.Below("Remote") + "',Key: 'V' to value: '2'");
    EXPECT_FALSE(m_scratch.Exists("Remote"));
}

// File-type registration writes under the classes root, so it uses names of its own there.
class cRegistryAssociationTest : public cRegistryTest {
protected:
    static constexpr const char* ClassName = "TelvaneTests.Document";
    static constexpr const char* Extension = "telvanetests";

    cRegistryAssociationTest() { CleanUp(); }
    ~cRegistryAssociationTest() override { CleanUp(); }

    void CleanUp() {
        for (RegistryApi::Key root : {RegistryApi::ClassesRoot, RegistryApi::LocalMachine}) {
            std::string prefix = root == RegistryApi::ClassesRoot ? "" : "SOFTWARE\\Classes\\";
            ScratchArea::DeleteTree(*m_api, root, prefix + ClassName);
            ScratchArea::DeleteTree(*m_api, root, prefix + "." + Extension);
        }
    }

    // The unnamed value of a key, read in both places it is written to; they must agree.
    std::string ClassValue(const std::string& path) {
        std::string texts[2];
        int i = 0;
        for (RegistryApi::Key root : {RegistryApi::ClassesRoot, RegistryApi::LocalMachine}) {
            std::string full =
                (root == RegistryApi::ClassesRoot ? "" : "SOFTWARE\\Classes\\") + path;
            RegistryApi::Key key = 0;
            if (m_api->RegOpenKeyExA(root, full, 0, RegistryApi::KeyQueryValue, &key) != 0) {
                texts[i++] = "<no key>";
                continue;
            }
            char data[300] = {};
            std::uint32_t size = sizeof data - 1, type = 0;
            long result = m_api->RegQueryValueExA(key, "", &type,
                                                  reinterpret_cast<std::uint8_t*>(data), &size);
            m_api->RegCloseKey(key);
            texts[i++] = result == 0 && type == RegistryApi::Sz ? std::string(data) : "<no text>";
        }
        EXPECT_EQ(texts[0], texts[1]) << path;
        return texts[0];
    }
};

TEST_F(cRegistryAssociationTest, FileTypeIsRegisteredWithItsVerbsInBothClassRoots) {
    m_registry.CreateEXEAssociation("  C:\\Apps\\tel.exe ", ClassName, "Telvane test document",
                                    Extension, "", true, "Print &it", true, "", true, "", 2);
    const std::string exe = "\"C:\\Apps\\tel.exe\"";
    EXPECT_EQ(ClassValue(std::string(".") + Extension), ClassName);
    EXPECT_EQ(ClassValue(ClassName), "Telvane test document");
    struct Verb {
        const char* key;
        std::string text, command;
    };
    for (const Verb& verb :
         {Verb{"open", "&Open", exe + " \"%1\""}, Verb{"print", "Print &it", exe + " /p \"%1\""},
          Verb{"add", std::string("&Install ") + Extension, exe + " /a \"%1\""},
          Verb{"new", "&New", exe + " /n \"%1\""}}) {
        std::string path = std::string(ClassName) + "\\shell\\" + verb.key;
        EXPECT_EQ(ClassValue(path), verb.text);
        EXPECT_EQ(ClassValue(path + "\\command"), verb.command);
    }
    EXPECT_EQ(ClassValue(std::string(ClassName) + "\\DefaultIcon"), exe + ",2");
    EXPECT_EQ(m_registry.ClassKey(), cRegistry::LocalMachine);
}

TEST_F(cRegistryAssociationTest, OptionalVerbsAndIconAreLeftOutUnlessAsked) {
    m_registry.CreateEXEAssociation("\"C:\\tel.exe\"", ClassName, "Doc", Extension, "&Read");
    EXPECT_EQ(ClassValue(std::string(ClassName) + "\\shell\\open"), "&Read");
    EXPECT_EQ(ClassValue(std::string(ClassName) + "\\shell\\open\\command"),
              "\"C:\\tel.exe\" \"%1\"")
        << "a quoted path is not quoted again";
    for (const char* absent : {"\\shell\\print", "\\shell\\new", "\\shell\\add", "\\DefaultIcon"}) {
        EXPECT_EQ(ClassValue(ClassName + std::string(absent)), "<no key>") << absent;
    }
}

TEST_F(cRegistryAssociationTest, AdditionalVerbsNeedTriplesAndAnExistingClass) {
    m_registry.ClassKey(cRegistry::ClassesRoot);
    RaisedError missingClass = RaisedBy([&] {
        m_registry.CreateAdditionalEXEAssociations(ClassName, {"edit", "&Edit", "tel.exe /e"});
    });
    EXPECT_EQ(missingClass.Number(), -2147194451);
    EXPECT_EQ(missingClass.Description(),
              "Error - attempt to create additional associations before class defined.");
    EXPECT_EQ(ClassValue(std::string(ClassName) + "\\shell\\edit"), "<no key>");

    m_registry.CreateEXEAssociation("tel.exe", ClassName, "Doc", Extension);
    m_registry.ClassKey(cRegistry::ClassesRoot);
    RaisedError notTriples = RaisedBy([&] {
        m_registry.CreateAdditionalEXEAssociations(ClassName, {"edit", "&Edit"});
    });
    EXPECT_EQ(notTriples.Number(), -2147194452);
    EXPECT_EQ(notTriples.Source(), "Telvane.cRegistry");
    EXPECT_EQ(notTriples.Description(),
              "Invalid parameter list passed to CreateAdditionalEXEAssociations - expected "
              "Name/Text/Command");
    EXPECT_EQ(ClassValue(std::string(ClassName) + "\\shell\\edit"), "<no key>");

    m_registry.CreateAdditionalEXEAssociations(
        ClassName, {"edit", "&Edit", "tel.exe /e", "view", "&View", "tel.exe /v"});
    EXPECT_EQ(ClassValue(std::string(ClassName) + "\\shell\\edit"), "&Edit");
    EXPECT_EQ(ClassValue(std::string(ClassName) + "\\shell\\edit\\command"), "tel.exe /e");
    EXPECT_EQ(ClassValue(std::string(ClassName) + "\\shell\\view\\command"), "tel.exe /v");
}

}  // namespace
}  // namespace telvane
