// Both DLLs export the five entry points of an in-process server, at fixed ordinals.
#include <gtest/gtest.h>

#include "platform/win32/com/TextConversion.h"
#include "tests/win32/ServerDll.h"

namespace telvane::win32::test {
namespace {

struct ExportCase {
    const wchar_t* dll;
    WORD ordinal;
    const char* name;
    friend void PrintTo(const ExportCase& c, std::ostream* out) {
        *out << com::Utf8FromWide(c.dll) << " @" << c.ordinal << " " << c.name;
    }
};

class ExportOrdinalTest : public ::testing::TestWithParam<ExportCase> {};

TEST_P(ExportOrdinalTest, OrdinalReachesTheNamedEntryPoint) {
    const ExportCase& c = GetParam();
    ServerDll dll(c.dll);
    const FARPROC byName = dll.Export(c.name);
    ASSERT_NE(byName, nullptr) << c.name << " is not exported by name";
    EXPECT_EQ(reinterpret_cast<void*>(dll.Export(c.ordinal)), reinterpret_cast<void*>(byName));
}

INSTANTIATE_TEST_SUITE_P(BothDlls, ExportOrdinalTest,
                         ::testing::Values(ExportCase{ServerDll::AddIn, 1, "DllCanUnloadNow"},
                                           ExportCase{ServerDll::AddIn, 2, "DllGetClassObject"},
                                           ExportCase{ServerDll::AddIn, 3, "DllRegisterServer"},
                                           ExportCase{ServerDll::AddIn, 4, "DllUnregisterServer"},
                                           ExportCase{ServerDll::AddIn, 5, "DllInstall"},
                                           ExportCase{ServerDll::Page, 1, "DllCanUnloadNow"},
                                           ExportCase{ServerDll::Page, 2, "DllGetClassObject"},
                                           ExportCase{ServerDll::Page, 3, "DllRegisterServer"},
                                           ExportCase{ServerDll::Page, 4, "DllUnregisterServer"},
                                           ExportCase{ServerDll::Page, 5, "DllInstall"}));

// The export directory of a loaded module.
const IMAGE_EXPORT_DIRECTORY* ExportsOf(HMODULE module) {
    const auto* base = reinterpret_cast<const BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    return reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + directory.VirtualAddress);
}

class ExportCountTest : public ::testing::TestWithParam<const wchar_t*> {};

TEST_P(ExportCountTest, NothingElseIsExported) {
    ServerDll dll(GetParam());
    ASSERT_NE(dll.Handle(), nullptr);
    const IMAGE_EXPORT_DIRECTORY* exports = ExportsOf(dll.Handle());
    EXPECT_EQ(exports->Base, 1u);
    EXPECT_EQ(exports->NumberOfFunctions, 5u);
    EXPECT_EQ(exports->NumberOfNames, 5u);
}

INSTANTIATE_TEST_SUITE_P(BothDlls, ExportCountTest,
                         ::testing::Values(ServerDll::AddIn, ServerDll::Page));

}  // namespace
}  // namespace telvane::win32::test
