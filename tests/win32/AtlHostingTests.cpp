// A standard ActiveX container, Wine's ATL host window, creates the page control from its ProgID
// and sites it in its own order (InitNew before the client site), as a dialog would.
#include <gtest/gtest.h>

#include "TelvanePPE.h"
#include "platform/win32/com/ComPtr.h"
#include "tests/win32/ComApartment.h"
#include "tests/win32/ServerDll.h"

namespace telvane::win32::test {
namespace {

// Owns a window.
class Window {
public:
    explicit Window(HWND window) : m_window(window) {}
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    ~Window() { Destroy(); }
    HWND Get() const { return m_window; }
    void Destroy() {
        if (m_window)
            ::DestroyWindow(m_window);
        m_window = nullptr;
    }

private:
    HWND m_window;
};

// Owns a loaded library.
class Library {
public:
    explicit Library(const wchar_t* name) : m_module(::LoadLibraryW(name)) {}
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;
    ~Library() {
        if (m_module)
            ::FreeLibrary(m_module);
    }
    template <class Function>
    Function Get(const char* name) const {
        return reinterpret_cast<Function>(
            reinterpret_cast<void*>(::GetProcAddress(m_module, name)));
    }

private:
    HMODULE m_module;
};

using AtlAxWinInitFunction = BOOL(WINAPI*)();
using AtlAxCreateControlFunction = HRESULT(WINAPI*)(LPCOLESTR, HWND, IStream*, IUnknown**);
using AtlAxGetControlFunction = HRESULT(WINAPI*)(HWND, IUnknown**);

class AtlHostingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(m_dll.Register(), S_OK);
        m_window = std::make_unique<Window>(::CreateWindowExW(0, L"STATIC", L"Options",
                                                              WS_OVERLAPPEDWINDOW, 0, 0, 400, 380,
                                                              nullptr, nullptr, nullptr, nullptr));
        if (!m_window->Get())
            GTEST_SKIP() << "no display to create windows on";
        const auto init = m_atl.Get<AtlAxWinInitFunction>("AtlAxWinInit");
        ASSERT_NE(init, nullptr);
        ASSERT_TRUE(init());
    }
    void TearDown() override {
        m_window.reset();
        EXPECT_EQ(m_dll.Unregister(), S_OK);
    }

    ComApartment m_apartment;
    ServerDll m_dll{ServerDll::Page};
    Library m_atl{L"atl.dll"};
    std::unique_ptr<Window> m_window;
};

TEST_F(AtlHostingTest, ContainerCreatesThePageFromItsProgIdAndSitesIt) {
    const auto create = m_atl.Get<AtlAxCreateControlFunction>("AtlAxCreateControl");
    const auto getControl = m_atl.Get<AtlAxGetControlFunction>("AtlAxGetControl");
    ASSERT_NE(create, nullptr);
    ASSERT_NE(getControl, nullptr);

    ComPtr<IUnknown> container;
    ASSERT_EQ(create(L"TelvanePPE.TelvanePage", m_window->Get(), nullptr, container.Put()), S_OK);
    ComPtr<IUnknown> control;
    ASSERT_EQ(getControl(m_window->Get(), control.Put()), S_OK);

    ComPtr<IOleObject> object;
    ASSERT_EQ(control.As(IID_IOleObject, object), S_OK);
    ComPtr<IOleClientSite> site;
    EXPECT_EQ(object->GetClientSite(site.Put()), S_OK);
    EXPECT_TRUE(site) << "the container did not site the control";

    ComPtr<PropertyPage> page;
    ASSERT_EQ(control.As(__uuidof(PropertyPage), page), S_OK);
    VARIANT_BOOL dirty = VARIANT_TRUE;
    EXPECT_EQ(page->get_Dirty(&dirty), S_OK);
    EXPECT_EQ(dirty, VARIANT_FALSE);

    site.Reset();
    object.Reset();
    page.Reset();
    control.Reset();
    container.Reset();
    m_window->Destroy();
    EXPECT_EQ(m_dll.CanUnloadNow(), S_OK) << "the container's release left the page alive";
}

}  // namespace
}  // namespace telvane::win32::test
