// The one place where failures cross a COM method: which HRESULT each failure becomes, and the
// error info that goes with it.
#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>

#include "common/outlook/RaisedError.h"
#include "platform/win32/com/Bstr.h"
#include "platform/win32/com/ComBoundary.h"
#include "platform/win32/com/ComPtr.h"

namespace telvane::win32::test {
namespace {

using com::Bstr;
using com::ComBoundary;

struct FailureCase {
    const char* name;
    std::function<void()> fail;
    HRESULT expected;
    const char* source;
    const char* description;
    friend void PrintTo(const FailureCase& c, std::ostream* out) { *out << c.name; }
};

class ComBoundaryTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(ComBoundaryTest, FailureBecomesAnHresultWithErrorInfo) {
    const FailureCase& c = GetParam();
    ::SetErrorInfo(0, nullptr);
    const HRESULT hr = ComBoundary::Call([&] {
        c.fail();
        return S_OK;
    });
    EXPECT_EQ(hr, c.expected) << std::hex << "0x" << static_cast<unsigned long>(hr);

    ComPtr<IErrorInfo> info;
    ASSERT_EQ(::GetErrorInfo(0, info.Put()), S_OK);
    Bstr source;
    Bstr description;
    info->GetSource(source.Put());
    info->GetDescription(description.Put());
    EXPECT_EQ(source.Utf8(), c.source);
    EXPECT_EQ(description.Utf8(), c.description);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, ComBoundaryTest,
    ::testing::Values(
        FailureCase{"TypeMismatch", [] { throw RaisedError(13, "Telvane", "Type mismatch"); },
                    static_cast<HRESULT>(0x800A000D), "Telvane", "Type mismatch"},
        FailureCase{"RegistryError",
                    [] { throw RaisedError(26001, "Telvane.cRegistry", "Cannot open"); },
                    static_cast<HRESULT>(0x800A6591), "Telvane.cRegistry", "Cannot open"},
        FailureCase{"AnHresultStaysAsItIs",
                    [] {
                        throw RaisedError(static_cast<std::int32_t>(0x800469A9),
                                          "TelvanePPE.cRegistry", "Set value failed");
                    },
                    static_cast<HRESULT>(0x800469A9), "TelvanePPE.cRegistry", "Set value failed"},
        FailureCase{"NumberTooLargeForTheFacility",
                    [] { throw RaisedError(70000, "Telvane", "Large"); }, E_FAIL, "Telvane",
                    "Large"},
        FailureCase{"UnicodeDescription",
                    [] { throw RaisedError(5, "Telvane", "Caf\xC3\xA9 \xE2\x82\xAC"); },
                    static_cast<HRESULT>(0x800A0005), "Telvane", "Caf\xC3\xA9 \xE2\x82\xAC"},
        FailureCase{"OutOfMemory", [] { throw std::bad_alloc(); }, E_OUTOFMEMORY, "",
                    "Out of memory"},
        FailureCase{"StandardException", [] { throw std::runtime_error("broken"); }, E_FAIL, "",
                    "broken"},
        FailureCase{"AnythingElse", [] { throw 42; }, E_UNEXPECTED, "", "Unexpected failure"}));

TEST(ComBoundaryExcepInfoTest, ErrorInfoMovesIntoExcepInfoForInvoke) {
    const HRESULT hr = ComBoundary::Call(
        []() -> HRESULT { throw RaisedError(91, "Telvane", "Object variable not set"); });
    EXCEPINFO exception = {};
    EXPECT_EQ(ComBoundary::ToExcepInfo(hr, &exception), DISP_E_EXCEPTION);
    Bstr source;
    Bstr description;
    *source.Put() = exception.bstrSource;
    *description.Put() = exception.bstrDescription;
    EXPECT_EQ(exception.scode, static_cast<HRESULT>(0x800A005B));
    EXPECT_EQ(source.Utf8(), "Telvane");
    EXPECT_EQ(description.Utf8(), "Object variable not set");
}

TEST(ComBoundaryExcepInfoTest, FailureWithoutErrorInfoIsPassedOnAsItIs) {
    ::SetErrorInfo(0, nullptr);
    EXCEPINFO exception = {};
    EXPECT_EQ(ComBoundary::ToExcepInfo(DISP_E_BADPARAMCOUNT, &exception), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(exception.bstrDescription, nullptr);
    EXPECT_EQ(ComBoundary::ToExcepInfo(S_OK, &exception), S_OK);
}

TEST(ComBoundaryCallTest, SuccessPassesTheBodysResult) {
    EXPECT_EQ(ComBoundary::Call([] { return S_FALSE; }), S_FALSE);
}

}  // namespace
}  // namespace telvane::win32::test
