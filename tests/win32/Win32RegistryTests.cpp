// What Win32Registry adds to the platform's functions: UTF-8 on the product's side, the ANSI
// code page on the platform's. The shared suites (tests/registry) check everything else.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/com/RegistryKeyHandle.h"
#include "platform/win32/registry/Win32Registry.h"
#include "tests/win32/RegistryReader.h"

namespace telvane::win32 {
namespace {

using Key = RegistryApi::Key;

constexpr const char* ScratchPath = "Software\\TelvaneTests\\Win32Registry";
constexpr const wchar_t* WideScratchPath = L"Software\\TelvaneTests\\Win32Registry";

// "Größe café", which the default Western code page (1252) can hold.
const std::string Utf8Text =
    "Gr\xC3\xB6\xC3\x9F"
    "e caf\xC3\xA9";
const std::wstring WideText = L"Gr\u00F6\u00DFe caf\u00E9";

class Win32RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (::GetACP() != 1252)
            GTEST_SKIP() << "needs the Western code page, have " << ::GetACP();
        com::RegistryKeyHandle::DeleteTree(HKEY_CURRENT_USER, WideScratchPath);
        ASSERT_EQ(m_registry.RegCreateKeyExA(RegistryApi::CurrentUser, ScratchPath,
                                             RegistryApi::KeyWriteAll, &m_key, nullptr),
                  RegistryApi::Success);
    }
    void TearDown() override {
        if (m_key)
            m_registry.RegCloseKey(m_key);
        com::RegistryKeyHandle::DeleteTree(HKEY_CURRENT_USER, WideScratchPath);
    }

    std::vector<std::uint8_t> Query(const std::string& name, std::uint32_t* type = nullptr) {
        std::uint32_t size = 0;
        EXPECT_EQ(m_registry.RegQueryValueExA(m_key, name, type, nullptr, &size),
                  RegistryApi::Success);
        std::vector<std::uint8_t> data(size);
        EXPECT_EQ(m_registry.RegQueryValueExA(m_key, name, type, data.data(), &size),
                  RegistryApi::Success);
        return data;
    }

    Win32Registry m_registry;
    Key m_key = 0;
};

std::vector<std::uint8_t> Terminated(const std::string& text) {
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

std::string AsText(const std::vector<std::uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

TEST_F(Win32RegistryTest, TextWrittenAsUtf8IsStoredAsTheSameCharacters) {
    const auto data = Terminated(Utf8Text);
    ASSERT_EQ(m_registry.RegSetValueExA(m_key, "Name", RegistryApi::Sz, data.data(),
                                        static_cast<std::uint32_t>(data.size())),
              RegistryApi::Success);
    EXPECT_EQ(test::ReadText(HKEY_CURRENT_USER, WideScratchPath, L"Name"), WideText);
}

TEST_F(Win32RegistryTest, TextStoredByOthersReadsAsUtf8WithItsUtf8Size) {
    ASSERT_TRUE(test::WriteText(HKEY_CURRENT_USER, WideScratchPath, L"Name", WideText));
    std::uint32_t type = 0;
    const auto data = Query("Name", &type);
    EXPECT_EQ(type, RegistryApi::Sz);
    EXPECT_EQ(AsText(data), Utf8Text + '\0') << "size " << data.size();
}

TEST_F(Win32RegistryTest, TooSmallBufferAsksForTheUtf8Size) {
    ASSERT_TRUE(test::WriteText(HKEY_CURRENT_USER, WideScratchPath, L"Name", WideText));
    std::vector<std::uint8_t> data(Utf8Text.size() - 2);
    std::uint32_t size = static_cast<std::uint32_t>(data.size());
    EXPECT_EQ(m_registry.RegQueryValueExA(m_key, "Name", nullptr, data.data(), &size),
              RegistryApi::MoreData);
    EXPECT_EQ(size, Utf8Text.size() + 1);
}

TEST_F(Win32RegistryTest, KeyAndValueNamesCrossInBothDirections) {
    Key created = 0;
    ASSERT_EQ(
        m_registry.RegCreateKeyExA(m_key, Utf8Text, RegistryApi::KeyWriteAll, &created, nullptr),
        RegistryApi::Success);
    const std::uint32_t one = 1;
    ASSERT_EQ(m_registry.RegSetValueExA(created, Utf8Text, RegistryApi::Dword,
                                        reinterpret_cast<const std::uint8_t*>(&one), 4),
              RegistryApi::Success);
    m_registry.RegCloseKey(created);

    const std::wstring wideKey = std::wstring(WideScratchPath) + L"\\" + WideText;
    EXPECT_EQ(test::ReadNumber(HKEY_CURRENT_USER, wideKey.c_str(), WideText.c_str()), 1u);

    char name[64] = {};
    ASSERT_EQ(m_registry.RegEnumKeyA(m_key, 0, name, sizeof name), RegistryApi::Success);
    EXPECT_EQ(std::string(name), Utf8Text);

    Key opened = 0;
    ASSERT_EQ(m_registry.RegOpenKeyExA(m_key, Utf8Text, 0, RegistryApi::KeyQueryValue, &opened),
              RegistryApi::Success);
    std::uint32_t nameSize = sizeof name;
    std::uint32_t type = 0;
    ASSERT_EQ(m_registry.RegEnumValueA(opened, 0, name, &nameSize, &type, nullptr, nullptr),
              RegistryApi::Success);
    EXPECT_EQ(std::string(name), Utf8Text);
    EXPECT_EQ(nameSize, Utf8Text.size());
    m_registry.RegCloseKey(opened);
}

TEST_F(Win32RegistryTest, LongestNamesAndDataAreMeasuredInUtf8) {
    ASSERT_TRUE(test::WriteText(HKEY_CURRENT_USER, WideScratchPath, WideText.c_str(), WideText));
    std::uint32_t longestName = 0;
    std::uint32_t longestData = 0;
    ASSERT_EQ(
        m_registry.RegQueryInfoKeyA(m_key, nullptr, nullptr, nullptr, &longestName, &longestData),
        RegistryApi::Success);
    EXPECT_EQ(longestName, Utf8Text.size());
    EXPECT_EQ(longestData, Utf8Text.size() + 1);
}

TEST_F(Win32RegistryTest, EnvironmentExpansionKeepsUtf8) {
    ::SetEnvironmentVariableW(L"TELVANE_TEST_TEXT", WideText.c_str());
    const std::string source = "%TELVANE_TEST_TEXT%\\" + Utf8Text;
    const std::uint32_t needed = m_registry.ExpandEnvironmentStringsA(source, nullptr, 0);
    std::vector<char> buffer(needed);
    EXPECT_EQ(m_registry.ExpandEnvironmentStringsA(source, buffer.data(), needed), needed);
    EXPECT_EQ(std::string(buffer.data()), Utf8Text + "\\" + Utf8Text);
    ::SetEnvironmentVariableW(L"TELVANE_TEST_TEXT", nullptr);
}

TEST_F(Win32RegistryTest, BinaryDataIsNeverConverted) {
    const std::vector<std::uint8_t> data = {0xC3, 0xB6, 0x00, 0xFF};
    ASSERT_EQ(m_registry.RegSetValueExA(m_key, "Bytes", RegistryApi::Binary, data.data(), 4),
              RegistryApi::Success);
    EXPECT_EQ(Query("Bytes"), data);
}

}  // namespace
}  // namespace telvane::win32
