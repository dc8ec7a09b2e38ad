// A standard ActiveX container nobody here wrote, Wine's ATL host window, creates the page
// control from its ProgID and sites it in its own order (InitNew before the client site); the
// page shows its controls there, follows the window's size and works, without a mail client
// behind it.
#include <gtest/gtest.h>

#include "TelvanePPE.h"
#include "platform/win32/com/ComPtr.h"
#include "platform/win32/com/RegistryKeyHandle.h"
#include "tests/win32/ComApartment.h"
#include "tests/win32/NativeWindows.h"
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
        // Once per process: the window class it registers stays as long as the process does,
        // so atl.dll stays loaded as long, too.
        static const bool initialised = [this] {
            const auto init = m_atl.Get<AtlAxWinInitFunction>("AtlAxWinInit");
            return init && init();
        }();
        ASSERT_TRUE(initialised);
    }
    void TearDown() override {
        m_window.reset();
        EXPECT_EQ(m_dll.Unregister(), S_OK);
    }

    ComApartment m_apartment;
    ServerDll m_dll{ServerDll::Page};
    static Library& Atl() {
        static Library atl(L"atl.dll");
        return atl;
    }

    Library& m_atl = Atl();
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

TEST_F(AtlHostingTest, PageShowsItsControlsInTheContainerAndWorksThere) {
    const auto create = m_atl.Get<AtlAxCreateControlFunction>("AtlAxCreateControl");
    const auto getControl = m_atl.Get<AtlAxGetControlFunction>("AtlAxGetControl");
    ASSERT_NE(create, nullptr);
    ComPtr<IUnknown> container;
    ASSERT_EQ(create(L"TelvanePPE.TelvanePage", m_window->Get(), nullptr, container.Put()), S_OK);
    ComPtr<IUnknown> control;
    ASSERT_EQ(getControl(m_window->Get(), control.Put()), S_OK);

    HWND button = FindText(m_window->Get(), L"Manage &Fax Number Display...");
    HWND box = FindText(m_window->Get(), L"Suppress fax numbers when Contacts created or updated");
    ASSERT_NE(button, nullptr) << "the container activated the page in place";
    ASSERT_NE(box, nullptr);

    // The container sizes the page from its window's client area.
    HWND page = ::GetParent(::GetParent(button));
    for (const int width : {520, 400}) {
        ::SetWindowPos(m_window->Get(), nullptr, 0, 0, width, 380, SWP_NOZORDER | SWP_NOMOVE);
        RECT client = {};
        ::GetClientRect(m_window->Get(), &client);
        EXPECT_NEAR(LeftInPage(button, page), Pixels(Twips(client.right) - 2625), 1) << width;
    }

    // The switch takes a click; no page site here, so the page never becomes dirty, and Apply
    // still stores what the box shows.
    ::SendMessageW(box, BM_CLICK, 0, 0);
    EXPECT_EQ(::SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    ComPtr<PropertyPage> propertyPage;
    ASSERT_EQ(control.As(__uuidof(PropertyPage), propertyPage), S_OK);
    VARIANT_BOOL dirty = VARIANT_TRUE;
    EXPECT_EQ(propertyPage->get_Dirty(&dirty), S_OK);
    EXPECT_EQ(dirty, VARIANT_FALSE);
    EXPECT_EQ(propertyPage->Apply(), S_OK);
    DWORD stored = 0;
    DWORD size = sizeof stored;
    DWORD type = 0;
    HKEY options = nullptr;
    ASSERT_EQ(::RegOpenKeyExW(HKEY_CLASSES_ROOT, L"Software\\Merrowind\\Telvane\\Options", 0,
                              KEY_QUERY_VALUE, &options),
              ERROR_SUCCESS);
    EXPECT_EQ(::RegQueryValueExW(options, L"Default", nullptr, &type,
                                 reinterpret_cast<BYTE*>(&stored), &size),
              ERROR_SUCCESS);
    ::RegCloseKey(options);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(stored, 1u);
    com::RegistryKeyHandle::DeleteTree(HKEY_CLASSES_ROOT, L"Software\\Merrowind");

    // The button opens the fax manager modally over the container's window (shown: a modal
    // window disables the windows the user can see).
    ::ShowWindow(m_window->Get(), SW_SHOWNA);
    const ManagerWatch watch =
        WatchFaxManager(m_window->Get(), [&] { ::SendMessageW(button, BM_CLICK, 0, 0); });
    EXPECT_TRUE(watch.seen);
    EXPECT_TRUE(watch.containerDisabled);

    propertyPage.Reset();
    control.Reset();
    container.Reset();
    m_window->Destroy();
    EXPECT_EQ(m_dll.CanUnloadNow(), S_OK) << "the container's release left the page alive";
}

}  // namespace
}  // namespace telvane::win32::test
