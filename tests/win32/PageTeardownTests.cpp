// The page control held in-process, with failures injected where it is torn down: its page's
// unload (when its window goes) and terminate (when it is destroyed). The mail client calls
// those from InPlaceDeactivate, Close and the final Release; none of them may let a failure
// escape, and none may report one as success.
#include <gtest/gtest.h>

#include "common/outlook/RaisedError.h"

#include <ocidl.h>
#include <olectl.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/win32/com/Bstr.h"
#include "platform/win32/com/ClassFactory.h"
#include "platform/win32/com/ComPtr.h"
#include "platform/win32/com/ServerModule.h"
#include "platform/win32/optionspage/PropertyPageAdapter.h"
#include "platform/win32/optionspage/TelvanePageObject.h"
#include "platform/win32/ui/WindowClass.h"
#include "tests/win32/ComApartment.h"
#include "tests/win32/FakeInPlaceSite.h"
#include "tests/win32/TestWindow.h"

namespace telvane::win32::test {
namespace {

constexpr RECT Position = {10, 20, 382, 380};
constexpr const char* Injected = "Injected teardown failure";

// The steps that fail: "Unload", "Terminate" or both.
const char* g_failing = "";

void Fault(const char* step) {
    if (std::strstr(g_failing, step))
        throw RaisedError(RaisedError::InvalidArgument, "TelvanePage", Injected);
}

// This thread's windows of the page's classes, top-level or not.
int PageWindowsLeft() {
    int count = 0;
    const auto countOwn = [](HWND window, LPARAM counted) CALLBACK -> BOOL {
        wchar_t name[64] = {};
        ::GetClassNameW(window, name, 64);
        const std::wstring text = name;
        if (text == L"TelvaneForm" || text == L"TelvanePane" || text == L"TelvanePageWindow")
            ++*reinterpret_cast<int*>(counted);
        return TRUE;
    };
    struct Walk {
        decltype(+countOwn) count;
        int* counted;
    } walk{+countOwn, &count};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM context) CALLBACK -> BOOL {
            auto* walk = reinterpret_cast<Walk*>(context);
            walk->count(window, reinterpret_cast<LPARAM>(walk->counted));
            ::EnumChildWindows(window, walk->count, reinterpret_cast<LPARAM>(walk->counted));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&walk));
    return count;
}

std::string ErrorDescription() {
    ComPtr<IErrorInfo> info;
    if (::GetErrorInfo(0, info.Put()) != S_OK || !info)
        return {};
    com::Bstr description;
    info->GetDescription(description.Put());
    return description.Utf8();
}

class PageTeardownTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!m_window.Get())
            GTEST_SKIP() << "no display to create windows on";
        com::ServerModule::SetHandle(::GetModuleHandleW(nullptr));
        PropertyPageAdapter::InjectTeardownFault(&Fault);
    }
    void TearDown() override {
        PropertyPageAdapter::InjectTeardownFault(nullptr);
        g_failing = "";
    }

    // A control sited and activated in place in the test's window.
    ComPtr<IOleObject> ActiveControl() {
        ComPtr<IOleObject> control;
        EXPECT_EQ(com::CreateComObject<TelvanePageObject>(IID_IOleObject, control.PutVoid()), S_OK);
        if (!control)
            return control;
        EXPECT_EQ(control->SetClientSite(&m_site), S_OK);
        ComPtr<IPersistStreamInit> persist;
        EXPECT_EQ(control->QueryInterface(IID_IPersistStreamInit, persist.PutVoid()), S_OK);
        if (persist) {
            EXPECT_EQ(persist->InitNew(), S_OK);
        }
        EXPECT_EQ(control->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &m_site, 0, m_window.Get(),
                                  &Position),
                  S_OK);
        EXPECT_GT(m_window.Descendants(), 1) << "the page's window and its controls";
        return control;
    }

    ComApartment m_apartment;
    TestWindow m_window{400, 420};
    FakeInPlaceSite m_site{m_window.Get(), Position};
};

TEST_F(PageTeardownTest, FailuresWhileThePageGoesAreReportedOrDroppedNeverThrown) {
    const struct {
        const char* failing;
        bool deactivateFirst;  // InPlaceDeactivate before the final Release
    } cases[] = {
        {"Unload", true},           {"Unload", false},
        {"Terminate", false},       {"Unload Terminate", false},
        {"Unload Terminate", true},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(std::string(test.failing) + (test.deactivateFirst ? ", deactivated" : ""));
        ComPtr<IOleObject> control = ActiveControl();
        ASSERT_TRUE(control);
        g_failing = test.failing;
        m_site.ClearCalls();
        if (test.deactivateFirst) {
            ComPtr<IOleInPlaceObject> inPlace;
            ASSERT_EQ(control->QueryInterface(IID_IOleInPlaceObject, inPlace.PutVoid()), S_OK);
            const HRESULT hr = inPlace->InPlaceDeactivate();
            if (std::strstr(test.failing, "Unload")) {
                EXPECT_TRUE(FAILED(hr)) << "a failed unload is no success";
                EXPECT_EQ(ErrorDescription(), Injected);
            } else {
                EXPECT_EQ(hr, S_OK);
            }
            EXPECT_EQ(m_window.Descendants(), 0) << "the window went all the same";
            EXPECT_NE(std::find(m_site.Calls().begin(), m_site.Calls().end(),
                                "IOleInPlaceSite::OnInPlaceDeactivate"),
                      m_site.Calls().end())
                << "the site heard the page is no longer active";
        }
        // The final Release: nothing may escape it.
        control = {};
        g_failing = "";
        EXPECT_EQ(m_window.Descendants(), 0);
        EXPECT_EQ(PageWindowsLeft(), 0) << "no window of the page left anywhere";
        EXPECT_FALSE(WindowClass::AnyLeft(::GetModuleHandleW(nullptr)))
            << "the classes went with the last page";
    }
    // The classes register again and a new page works.
    ComPtr<IOleObject> control = ActiveControl();
    ASSERT_TRUE(control);
    control = {};
    EXPECT_EQ(PageWindowsLeft(), 0);
}

}  // namespace
}  // namespace telvane::win32::test
