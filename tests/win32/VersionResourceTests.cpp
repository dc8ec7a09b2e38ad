// The version resources that Explorer, installers and regsvr32 read.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/com/TextConversion.h"
#include "tests/win32/ServerDll.h"

namespace telvane::win32::test {
namespace {

class VersionInfo {
public:
    explicit VersionInfo(const std::wstring& path) {
        DWORD ignored = 0;
        const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
        m_data.resize(size);
        if (size == 0 || !::GetFileVersionInfoW(path.c_str(), 0, size, m_data.data())) {
            m_data.clear();
        }
    }

    bool Loaded() const { return !m_data.empty(); }

    std::optional<std::wstring> String(const std::wstring& name) const {
        const std::wstring path = L"\\StringFileInfo\\040904B0\\" + name;
        void* value = nullptr;
        UINT length = 0;
        if (!::VerQueryValueW(m_data.data(), path.c_str(), &value, &length))
            return std::nullopt;
        return std::wstring(static_cast<const wchar_t*>(value));
    }

    const VS_FIXEDFILEINFO* Fixed() const {
        void* value = nullptr;
        UINT length = 0;
        if (!::VerQueryValueW(m_data.data(), L"\\", &value, &length))
            return nullptr;
        return static_cast<const VS_FIXEDFILEINFO*>(value);
    }

    std::vector<WORD> Translation() const {
        void* value = nullptr;
        UINT length = 0;
        if (!::VerQueryValueW(m_data.data(), L"\\VarFileInfo\\Translation", &value, &length)) {
            return {};
        }
        const auto* words = static_cast<const WORD*>(value);
        return std::vector<WORD>(words, words + length / sizeof(WORD));
    }

private:
    std::vector<BYTE> m_data;
};

// "1.01.0007": major, two-digit minor, four-digit revision.
std::string ThreePart(DWORD mostSignificant, DWORD leastSignificant) {
    char text[32];
    std::snprintf(text, sizeof text, "%u.%02u.%04u", HIWORD(mostSignificant),
                  LOWORD(mostSignificant), LOWORD(leastSignificant));
    return text;
}

struct StringCase {
    const wchar_t* dll;
    const wchar_t* name;
    const wchar_t* expected;
    friend void PrintTo(const StringCase& c, std::ostream* out) {
        *out << com::Utf8FromWide(c.dll) << " " << com::Utf8FromWide(c.name);
    }
};

class VersionStringTest : public ::testing::TestWithParam<StringCase> {};

TEST_P(VersionStringTest, ReadsBackInUsEnglishUnicode) {
    const StringCase& c = GetParam();
    VersionInfo info(ServerDll::BesideTest(c.dll));
    ASSERT_TRUE(info.Loaded());
    const std::optional<std::wstring> value = info.String(c.name);
    ASSERT_TRUE(value.has_value()) << com::Utf8FromWide(c.name) << " is missing";
    EXPECT_EQ(com::Utf8FromWide(*value), com::Utf8FromWide(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    BothDlls, VersionStringTest,
    ::testing::Values(StringCase{ServerDll::AddIn, L"ProductName", L"Telvane"},
                      StringCase{ServerDll::AddIn, L"FileDescription", L"Telvane for Outlook"},
                      StringCase{ServerDll::AddIn, L"FileVersion", L"1.01.0007"},
                      StringCase{ServerDll::AddIn, L"ProductVersion", L"1.01.0007"},
                      StringCase{ServerDll::AddIn, L"OriginalFilename", L"Telvane.dll"},
                      StringCase{ServerDll::AddIn, L"OLESelfRegister", L""},
                      StringCase{ServerDll::Page, L"ProductName", L"Telvane"},
                      StringCase{ServerDll::Page, L"FileDescription", L"Telvane for Outlook"},
                      StringCase{ServerDll::Page, L"FileVersion", L"1.01.0006"},
                      StringCase{ServerDll::Page, L"ProductVersion", L"1.01.0006"},
                      StringCase{ServerDll::Page, L"OriginalFilename", L"TelvanePage.dll"},
                      StringCase{ServerDll::Page, L"OLESelfRegister", L""}));

struct NumberCase {
    const wchar_t* dll;
    const char* version;
    friend void PrintTo(const NumberCase& c, std::ostream* out) {
        *out << com::Utf8FromWide(c.dll);
    }
};

class VersionNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(VersionNumberTest, FileAndProductVersionMatchTheStrings) {
    VersionInfo info(ServerDll::BesideTest(GetParam().dll));
    const VS_FIXEDFILEINFO* fixed = info.Fixed();
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(ThreePart(fixed->dwFileVersionMS, fixed->dwFileVersionLS), GetParam().version);
    EXPECT_EQ(ThreePart(fixed->dwProductVersionMS, fixed->dwProductVersionLS), GetParam().version);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));
}

TEST_P(VersionNumberTest, TranslationIsUsEnglishInCodePage1200) {
    VersionInfo info(ServerDll::BesideTest(GetParam().dll));
    EXPECT_EQ(info.Translation(), (std::vector<WORD>{0x0409, 1200}));
}

INSTANTIATE_TEST_SUITE_P(BothDlls, VersionNumberTest,
                         ::testing::Values(NumberCase{ServerDll::AddIn, "1.01.0007"},
                                           NumberCase{ServerDll::Page, "1.01.0006"}));

}  // namespace
}  // namespace telvane::win32::test
