// The registry boundary itself: the result codes and data the product relies on. These run
// unchanged on every RegistryApi, so the in-memory registry is held to the real one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>

#include "tests/registry/RegistryUnderTest.h"
#include "tests/registry/ScratchArea.h"

namespace telvane {
namespace {

using Key = RegistryApi::Key;

class RegistryApiTest : public ::testing::Test {
protected:
    std::unique_ptr<RegistryApi> m_api = MakeRegistryUnderTest();
    ScratchArea m_scratch{*m_api, RegistryApi::CurrentUser};

    // A handle on the scratch key (or a key below it), closed by the caller.
    Key Open(const std::string& relative = "", std::uint32_t access = RegistryApi::KeyWriteAll) {
        Key key = 0;
        EXPECT_EQ(
            m_api->RegOpenKeyExA(m_scratch.Root(), m_scratch.Below(relative), 0, access, &key),
            RegistryApi::Success);
        return key;
    }

    std::vector<std::string> SubKeyNames(Key key) {
        std::vector<std::string> names;
        char name[300];
        for (std::uint32_t i = 0; m_api->RegEnumKeyA(key, i, name, sizeof name) == 0; ++i) {
            names.emplace_back(name);
        }
        return names;
    }
};

struct TypedData {
    const char* name;
    std::uint32_t type;
    std::vector<std::uint8_t> data;
    friend void PrintTo(const TypedData& c, std::ostream* out) { *out << c.name; }
};

class StoredBytesTest : public RegistryApiTest, public ::testing::WithParamInterface<TypedData> {};

TEST_P(StoredBytesTest, ValueReadsBackWithItsTypeAndExactBytes) {
    const TypedData& value = GetParam();
    ASSERT_EQ(m_scratch.Write("", "V", value.type, value.data), RegistryApi::Success);
    ScratchArea::Stored stored = m_scratch.Read("", "V");
    EXPECT_EQ(stored.result, RegistryApi::Success);
    EXPECT_EQ(stored.type, value.type);
    EXPECT_EQ(stored.data, value.data);
}

INSTANTIATE_TEST_SUITE_P(
    EveryType, StoredBytesTest,
    ::testing::Values(
        TypedData{"Text", RegistryApi::Sz, Bytes(std::string("abc\0", 4))},
        TypedData{"TextWithoutTerminator", RegistryApi::Sz, Bytes("abc")},
        TypedData{"EmptyText", RegistryApi::Sz, {}},
        TypedData{"ExpandText", RegistryApi::ExpandSz, Bytes(std::string("%X%\\y\0", 7))},
        TypedData{"Binary", RegistryApi::Binary, {1, 0, 255}},
        TypedData{"EmptyBinary", RegistryApi::Binary, {}},
        TypedData{"Dword", RegistryApi::Dword, {0x2A, 0, 0, 0x80}},
        TypedData{"ShortDword", RegistryApi::Dword, {1, 0}},
        TypedData{"BigEndian", RegistryApi::DwordBigEndian, {0, 0, 1, 2}},
        TypedData{"MultiText", RegistryApi::MultiSz, Bytes(std::string("a\0b\0\0", 5))},
        TypedData{"None", RegistryApi::None, {7}},
        TypedData{"Qword", 11, {1, 2, 3, 4, 5, 6, 7, 8}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RegistryApiTest, SizeProbeReportsTypeAndSizeAndTooSmallBufferAsksForMore) {
    ASSERT_EQ(m_scratch.Write("", "V", RegistryApi::Binary, {1, 2, 3, 4, 5}), 0);
    Key key = Open();
    std::uint32_t type = 0, size = 0;
    EXPECT_EQ(m_api->RegQueryValueExA(key, "V", &type, nullptr, &size), RegistryApi::Success);
    EXPECT_EQ(type, RegistryApi::Binary);
    EXPECT_EQ(size, 5u);

    std::uint8_t buffer[8] = {};
    size = 0;
    EXPECT_EQ(m_api->RegQueryValueExA(key, "V", &type, buffer, &size), RegistryApi::MoreData);
    EXPECT_EQ(size, 5u) << "the size needed is stored with MoreData";
    size = 4;
    EXPECT_EQ(m_api->RegQueryValueExA(key, "V", &type, buffer, &size), RegistryApi::MoreData);
    size = sizeof buffer;
    EXPECT_EQ(m_api->RegQueryValueExA(key, "V", &type, buffer, &size), RegistryApi::Success);
    EXPECT_EQ(size, 5u);
    EXPECT_EQ(m_api->RegQueryValueExA(key, "V", &type, buffer, nullptr),
              RegistryApi::InvalidParameter);
    m_api->RegCloseKey(key);
}

TEST_F(RegistryApiTest, MissingKeysAndValuesAreFileNotFound) {
    Key key = 0;
    EXPECT_EQ(m_api->RegOpenKeyExA(m_scratch.Root(), m_scratch.Below("Missing"), 0,
                                   RegistryApi::KeyQueryValue, &key),
              RegistryApi::FileNotFound);
    EXPECT_EQ(m_scratch.Read("", "Missing").result, RegistryApi::FileNotFound);
    EXPECT_EQ(m_scratch.Read("", "").result, RegistryApi::FileNotFound)
        << "an unset unnamed value is missing too";
    key = Open();
    EXPECT_EQ(m_api->RegDeleteValueA(key, "Missing"), RegistryApi::FileNotFound);
    m_api->RegCloseKey(key);
    EXPECT_EQ(m_api->RegDeleteKeyA(m_scratch.Root(), m_scratch.Below("Missing")),
              RegistryApi::FileNotFound);
}

TEST_F(RegistryApiTest, NamesMatchWithoutCaseAndKeepTheCaseFirstWritten) {
    ASSERT_EQ(m_scratch.Write("Alpha", "MixedCase", RegistryApi::Dword, {1, 0, 0, 0}), 0);
    ASSERT_EQ(m_scratch.Write("ALPHA", "MIXEDCASE", RegistryApi::Binary, {9}), 0);

    ScratchArea::Stored stored = m_scratch.Read("alpha", "mixedcase");
    EXPECT_EQ(stored.type, RegistryApi::Binary) << "the second write replaced the first";
    EXPECT_EQ(stored.data, std::vector<std::uint8_t>{9});

    Key key = Open();
    EXPECT_EQ(SubKeyNames(key), std::vector<std::string>{"Alpha"});
    m_api->RegCloseKey(key);
    key = Open("Alpha");
    char name[32];
    std::uint32_t nameSize = sizeof name;
    ASSERT_EQ(m_api->RegEnumValueA(key, 0, name, &nameSize, nullptr, nullptr, nullptr), 0);
    EXPECT_STREQ(name, "MixedCase");
    nameSize = sizeof name;
    EXPECT_EQ(m_api->RegEnumValueA(key, 1, name, &nameSize, nullptr, nullptr, nullptr),
              RegistryApi::NoMoreItems);
    m_api->RegCloseKey(key);
}

TEST_F(RegistryApiTest, SubKeysEnumerateSortedByNameUntilNoMoreItems) {
    for (const char* name : {"b", "A", "c\\deep"})
        ASSERT_EQ(m_scratch.CreateKey(name), 0);
    Key key = Open("", RegistryApi::KeyEnumerateSubKeys);
    EXPECT_EQ(SubKeyNames(key), (std::vector<std::string>{"A", "b", "c"}));
    char name[2];
    EXPECT_EQ(m_api->RegEnumKeyA(key, 0, name, 2), RegistryApi::Success) << "room for A and zero";
    m_api->RegCloseKey(key);
    ASSERT_EQ(m_scratch.CreateKey("Longer"), 0);
    key = Open("", RegistryApi::KeyEnumerateSubKeys);
    EXPECT_EQ(m_api->RegEnumKeyA(key, 3, name, 2), RegistryApi::MoreData);
    EXPECT_EQ(m_api->RegEnumKeyA(key, 4, name, 2), RegistryApi::NoMoreItems);
    m_api->RegCloseKey(key);
}

TEST_F(RegistryApiTest, ValuesEnumerateWithNameLengthTypeAndData) {
    ASSERT_EQ(m_scratch.Write("", "First", RegistryApi::Dword, {5, 0, 0, 0}), 0);
    ASSERT_EQ(m_scratch.Write("", "", RegistryApi::Sz, Bytes(std::string("d\0", 2))), 0);
    Key key = Open();
    std::set<std::string> names;
    std::uint32_t firstIndex = 0;
    for (std::uint32_t i = 0;; ++i) {
        char name[32];
        std::uint32_t nameSize = sizeof name, type = 0, size = 8;
        std::uint8_t data[8];
        long result = m_api->RegEnumValueA(key, i, name, &nameSize, &type, data, &size);
        if (result == RegistryApi::NoMoreItems)
            break;
        ASSERT_EQ(result, RegistryApi::Success) << "index " << i;
        EXPECT_EQ(nameSize, std::strlen(name)) << "the length comes back without the zero";
        names.insert(name);
        if (std::string(name) == "First") {
            firstIndex = i;
            EXPECT_EQ(type, RegistryApi::Dword);
            EXPECT_EQ(size, 4u);
            EXPECT_EQ(data[0], 5);
        }
    }
    EXPECT_EQ(names, (std::set<std::string>{"", "First"}));

    char name[5];  // "First" needs six
    std::uint32_t nameSize = sizeof name;
    EXPECT_EQ(m_api->RegEnumValueA(key, firstIndex, name, &nameSize, nullptr, nullptr, nullptr),
              RegistryApi::MoreData);
    m_api->RegCloseKey(key);
}

TEST_F(RegistryApiTest, QueryInfoKeyCountsAndMeasuresWithoutTerminators) {
    ASSERT_EQ(m_scratch.CreateKey("Sub"), 0);
    ASSERT_EQ(m_scratch.CreateKey("Longest"), 0);
    ASSERT_EQ(m_scratch.Write("", "Name", RegistryApi::Binary, {1, 2, 3}), 0);
    ASSERT_EQ(m_scratch.Write("", "LongerName", RegistryApi::Binary, {1}), 0);
    Key key = Open();
    std::uint32_t subKeys = 0, maxSubKey = 0, values = 0, maxName = 0, maxData = 0;
    ASSERT_EQ(m_api->RegQueryInfoKeyA(key, &subKeys, &maxSubKey, &values, &maxName, &maxData), 0);
    EXPECT_EQ(subKeys, 2u);
    EXPECT_EQ(maxSubKey, 7u);
    EXPECT_EQ(values, 2u);
    EXPECT_EQ(maxName, 10u);
    EXPECT_EQ(maxData, 3u);
    m_api->RegCloseKey(key);
}

TEST_F(RegistryApiTest, CreateMakesEveryMissingKeyAndSaysWhetherItWasNew) {
    Key key = 0;
    std::uint32_t disposition = 0;
    ASSERT_EQ(m_api->RegCreateKeyExA(m_scratch.Root(), m_scratch.Below("a\\b\\c"),
                                     RegistryApi::KeyWriteAll, &key, &disposition),
              0);
    m_api->RegCloseKey(key);
    EXPECT_EQ(disposition, 1u) << "REG_CREATED_NEW_KEY";
    EXPECT_TRUE(m_scratch.Exists("a\\b"));
    ASSERT_EQ(m_api->RegCreateKeyExA(m_scratch.Root(), m_scratch.Below("A\\B\\C"),
                                     RegistryApi::KeyWriteAll, &key, &disposition),
              0);
    m_api->RegCloseKey(key);
    EXPECT_EQ(disposition, 2u) << "REG_OPENED_EXISTING_KEY";
}

// 255 characters is the documented limit; Wine's own is 256, so the refusal is tried further out.
// The names are given below an open key: the ANSI functions also limit the whole path given.
TEST_F(RegistryApiTest, KeyNamesWithinTheLimitAreAcceptedAndFarLongerOnesRefused) {
    const Key scratch = Open();
    Key key = 0;
    ASSERT_EQ(m_api->RegCreateKeyExA(scratch, std::string(255, 'k'), RegistryApi::KeyWriteAll, &key,
                                     nullptr),
              0);
    m_api->RegCloseKey(key);
    key = 0;
    EXPECT_NE(m_api->RegCreateKeyExA(scratch, std::string(300, 'k'), RegistryApi::KeyWriteAll, &key,
                                     nullptr),
              RegistryApi::Success);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(SubKeyNames(scratch), (std::vector<std::string>{std::string(255, 'k')}));
    m_api->RegCloseKey(scratch);
}

TEST_F(RegistryApiTest, DeletingAKeyWithSubKeysIsRefusedAndALeafKeyGoes) {
    ASSERT_EQ(m_scratch.CreateKey("Parent\\Child"), 0);
    EXPECT_EQ(m_api->RegDeleteKeyA(m_scratch.Root(), m_scratch.Below("Parent")),
              RegistryApi::AccessDenied);
    EXPECT_EQ(m_api->RegDeleteKeyA(m_scratch.Root(), m_scratch.Below("Parent\\Child")), 0);
    EXPECT_FALSE(m_scratch.Exists("Parent\\Child"));
    EXPECT_EQ(m_api->RegDeleteKeyA(m_scratch.Root(), m_scratch.Below("Parent")), 0);
    EXPECT_FALSE(m_scratch.Exists("Parent"));
}

TEST_F(RegistryApiTest, DeletedValueIsGone) {
    ASSERT_EQ(m_scratch.Write("", "V", RegistryApi::Binary, {1}), 0);
    Key key = Open();
    EXPECT_EQ(m_api->RegDeleteValueA(key, "v"), 0);
    m_api->RegCloseKey(key);
    EXPECT_EQ(m_scratch.Read("", "V").result, RegistryApi::FileNotFound);
}

TEST_F(RegistryApiTest, ClosedNullAndDeletedHandlesAreRefused) {
    Key key = Open();
    EXPECT_EQ(m_api->RegCloseKey(key), 0);
    EXPECT_EQ(m_api->RegCloseKey(key), RegistryApi::InvalidHandle);
    Key other = 0;
    EXPECT_EQ(m_api->RegOpenKeyExA(0, "Software", 0, RegistryApi::KeyQueryValue, &other),
              RegistryApi::InvalidHandle);
    EXPECT_EQ(m_api->RegCloseKey(RegistryApi::ClassesRoot), 0) << "a root needs no closing";

    ASSERT_EQ(m_scratch.CreateKey("Doomed"), 0);
    key = Open("Doomed");
    ASSERT_EQ(m_api->RegDeleteKeyA(m_scratch.Root(), m_scratch.Below("Doomed")), 0);
    constexpr long KeyDeleted = 1018;
    std::uint8_t byte = 1;
    EXPECT_EQ(m_api->RegSetValueExA(key, "V", RegistryApi::Binary, &byte, 1), KeyDeleted);
    EXPECT_EQ(m_api->RegQueryValueExA(key, "V", nullptr, nullptr, nullptr), KeyDeleted);
    EXPECT_EQ(m_api->RegCloseKey(key), 0);
}

TEST_F(RegistryApiTest, HandlesAllowOnlyTheAccessAskedFor) {
    ASSERT_EQ(m_scratch.CreateKey("Sub"), 0);
    ASSERT_EQ(m_scratch.Write("", "V", RegistryApi::Binary, {1}), 0);
    Key query = Open("", RegistryApi::KeyQueryValue);
    char name[8];
    std::uint8_t byte = 1;
    EXPECT_EQ(m_api->RegEnumKeyA(query, 0, name, sizeof name), RegistryApi::AccessDenied);
    EXPECT_EQ(m_api->RegSetValueExA(query, "W", RegistryApi::Binary, &byte, 1),
              RegistryApi::AccessDenied);
    EXPECT_EQ(m_api->RegDeleteValueA(query, "V"), RegistryApi::AccessDenied);
    m_api->RegCloseKey(query);
    Key enumerate = Open("", RegistryApi::KeyEnumerateSubKeys);
    EXPECT_EQ(m_api->RegQueryValueExA(enumerate, "V", nullptr, nullptr, nullptr),
              RegistryApi::AccessDenied);
    m_api->RegCloseKey(enumerate);
}

TEST_F(RegistryApiTest, UnknownRemoteComputerIsBadNetPath) {
    Key key = 0;
    EXPECT_EQ(
        m_api->RegConnectRegistryA("\\\\telvane-no-such-host", RegistryApi::LocalMachine, &key),
        RegistryApi::BadNetPath);
}

struct Expansion {
    const char* name;
    const char* source;
    const char* expanded;
    friend void PrintTo(const Expansion& c, std::ostream* out) { *out << c.name; }
};

class ExpandEnvironmentTest : public RegistryApiTest,
                              public ::testing::WithParamInterface<Expansion> {};

TEST_P(ExpandEnvironmentTest, ReplacesKnownVariablesAndLeavesTheRestAlone) {
    SetEnvironmentForTest(*m_api, "TELVANE_TEST_DIR", "C:\\scratch");
    const Expansion& expansion = GetParam();
    std::uint32_t needed = m_api->ExpandEnvironmentStringsA(expansion.source, nullptr, 0);
    EXPECT_EQ(needed, std::strlen(expansion.expanded) + 1) << "the size counts the zero";
    std::vector<char> buffer(needed + 1, '?');
    EXPECT_EQ(m_api->ExpandEnvironmentStringsA(expansion.source, buffer.data(), needed + 1),
              needed);
    EXPECT_STREQ(buffer.data(), expansion.expanded);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ExpandEnvironmentTest,
    ::testing::Values(Expansion{"Variable", "%TELVANE_TEST_DIR%\\x", "C:\\scratch\\x"},
                      Expansion{"NameInOtherCase", "a%telvane_test_dir%b", "aC:\\scratchb"},
                      Expansion{"Unknown", "%TELVANE_NO_SUCH%\\x", "%TELVANE_NO_SUCH%\\x"},
                      Expansion{"LonePercent", "50%", "50%"},
                      Expansion{"DoublePercent", "100%% sure", "100%% sure"},
                      Expansion{"Empty", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace telvane
