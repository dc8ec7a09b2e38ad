// The page control activated in place by a container written here, call by call: which calls
// reach the site in which order, where the window goes, which verbs fail, and that nothing is
// left behind after many activations.
#include <gtest/gtest.h>

#include <ocidl.h>
#include <olectl.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "TelvanePPE.h"
#include "platform/win32/com/ComPtr.h"
#include "platform/win32/optionspage/PropertyPageAdapter.h"
#include "tests/win32/ComApartment.h"
#include "tests/win32/FakeClientSite.h"
#include "tests/win32/FakeInPlaceSite.h"
#include "tests/win32/NativeWindows.h"
#include "tests/win32/ServerDll.h"
#include "tests/win32/TestWindow.h"

namespace telvane::win32::test {
namespace {

using Calls = std::vector<std::string>;

constexpr IID PageSiteIid = PropertyPageAdapter::PropertyPageSiteIid;
constexpr RECT Position = {10, 20, 382, 380};

std::string ClassOf(HWND window) {
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    std::string narrow;
    for (const wchar_t* c = name; *c; ++c)
        narrow += static_cast<char>(*c);
    return narrow;
}

RECT RectInParent(HWND window) {
    RECT rect = {};
    ::GetWindowRect(window, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void ExpectRect(const RECT& actual, const RECT& expected) {
    EXPECT_EQ(actual.left, expected.left);
    EXPECT_EQ(actual.top, expected.top);
    EXPECT_EQ(actual.right, expected.right);
    EXPECT_EQ(actual.bottom, expected.bottom);
}

class InPlaceActivationTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!m_window.Get())
            GTEST_SKIP() << "no display to create windows on";
        m_control = NewControl();
        ASSERT_TRUE(m_control);
    }

    ComPtr<IOleObject> NewControl() const {
        ComPtr<IClassFactory> factory;
        ComPtr<IOleObject> control;
        if (SUCCEEDED(m_dll.GetClassObject(__uuidof(::TelvanePage), IID_IClassFactory,
                                           factory.PutVoid()))) {
            factory->CreateInstance(nullptr, IID_IOleObject, control.PutVoid());
        }
        return control;
    }

    static void Site(IOleObject* control, IOleClientSite* site) {
        ASSERT_EQ(control->SetClientSite(site), S_OK);
        ComPtr<IPersistStreamInit> persist;
        ASSERT_EQ(control->QueryInterface(IID_IPersistStreamInit, persist.PutVoid()), S_OK);
        ASSERT_EQ(persist->InitNew(), S_OK);
    }

    HWND WindowOf(IOleObject* control) const {
        ComPtr<IOleWindow> window;
        HWND handle = nullptr;
        if (SUCCEEDED(control->QueryInterface(IID_IOleWindow, window.PutVoid())))
            window->GetWindow(&handle);
        return handle;
    }

    ComApartment m_apartment;
    TestWindow m_window{400, 420};
    FakeInPlaceSite m_site{m_window.Get(), Position, {PageSiteIid}};
    ServerDll m_dll{ServerDll::Page};
    ComPtr<IOleObject> m_control;
};

TEST_F(InPlaceActivationTest, ActivationFollowsTheSiteAndDeactivationDestroysTheWindow) {
    Site(m_control.Get(), &m_site);
    m_site.ClearCalls();
    EXPECT_EQ(WindowOf(m_control.Get()), nullptr) << "no window before activation";

    ASSERT_EQ(
        m_control->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &m_site, 0, m_window.Get(), &Position),
        S_OK);
    EXPECT_EQ(m_site.Calls(),
              (Calls{"IOleInPlaceSite::CanInPlaceActivate", "IOleInPlaceSite::OnInPlaceActivate",
                     "IOleInPlaceSite::GetWindow", "IOleInPlaceSite::GetWindowContext"}));
    HWND page = WindowOf(m_control.Get());
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(::GetParent(page), m_window.Get()) << "a child of the site's window";
    EXPECT_EQ(ClassOf(page), "TelvanePageWindow");
    EXPECT_NE(::GetWindowLongW(page, GWL_STYLE) & WS_VISIBLE, 0) << "shown";
    ExpectRect(RectInParent(page), Position);

    m_site.ClearCalls();
    ASSERT_EQ(
        m_control->DoVerb(OLEIVERB_UIACTIVATE, nullptr, &m_site, 0, m_window.Get(), &Position),
        S_OK);
    EXPECT_EQ(m_site.Calls(),
              (Calls{"IOleInPlaceSite::OnUIActivate", "IOleInPlaceFrame::SetActiveObject(object)",
                     "IOleInPlaceFrame::SetBorderSpace", "IOleControlSite::OnFocus(TRUE)"}));
    ComPtr<IOleInPlaceActiveObject> active;
    ASSERT_EQ(m_control->QueryInterface(IID_IOleInPlaceActiveObject, active.PutVoid()), S_OK);
    EXPECT_EQ(m_site.ActiveObject(), active.Get());
    active.Reset();

    ComPtr<IOleInPlaceObject> inPlace;
    ASSERT_EQ(m_control->QueryInterface(IID_IOleInPlaceObject, inPlace.PutVoid()), S_OK);
    const RECT moved = {0, 0, 300, 200};
    EXPECT_EQ(inPlace->SetObjectRects(&moved, &moved), S_OK);
    ExpectRect(RectInParent(page), moved);
    inPlace.Reset();

    m_site.ClearCalls();
    ASSERT_EQ(m_control->Close(OLECLOSE_NOSAVE), S_OK);
    EXPECT_EQ(m_site.Calls(),
              (Calls{"IOleInPlaceFrame::SetActiveObject(none)", "IOleControlSite::OnFocus(FALSE)",
                     "IOleInPlaceSite::OnUIDeactivate", "IOleInPlaceSite::OnInPlaceDeactivate"}));
    EXPECT_FALSE(::IsWindow(page));
    EXPECT_EQ(WindowOf(m_control.Get()), nullptr);
    EXPECT_EQ(m_site.ActiveObject(), nullptr);

    m_control->SetClientSite(nullptr);
    m_control.Reset();
    EXPECT_EQ(m_site.References(), 1u) << "the page let go of every site interface";
}

struct VerbCase {
    const char* name;
    LONG verb;
    HRESULT canActivate;  // the site's answer
    bool sited;
    HRESULT result;
    bool windowAfter;
    friend void PrintTo(const VerbCase& c, std::ostream* out) { *out << c.name; }
};

class VerbTest : public InPlaceActivationTest, public ::testing::WithParamInterface<VerbCase> {};

TEST_P(VerbTest, VerbsSucceedOnlyWhenTheirActivationHappens) {
    const VerbCase& c = GetParam();
    m_site.AnswerCanInPlaceActivate(c.canActivate);
    FakeClientSite plainSite{{PageSiteIid}};
    if (c.sited)
        Site(m_control.Get(), &m_site);
    else
        Site(m_control.Get(), &plainSite);
    EXPECT_EQ(m_control->DoVerb(c.verb, nullptr, nullptr, 0, m_window.Get(), &Position), c.result);
    HWND page = WindowOf(m_control.Get());
    EXPECT_EQ(page != nullptr, c.windowAfter);
    if (c.canActivate != S_OK) {
        EXPECT_EQ(m_site.Calls(), (Calls{"IOleInPlaceSite::CanInPlaceActivate"}))
            << "a refused activation goes no further";
    }
    m_control->Close(OLECLOSE_NOSAVE);
    m_control->SetClientSite(nullptr);
    m_control.Reset();
    EXPECT_EQ(m_window.Descendants(), 0);
    EXPECT_EQ(plainSite.References(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Verbs, VerbTest,
    ::testing::Values(
        VerbCase{"InPlaceActivate", OLEIVERB_INPLACEACTIVATE, S_OK, true, S_OK, true},
        VerbCase{"UIActivate", OLEIVERB_UIACTIVATE, S_OK, true, S_OK, true},
        VerbCase{"Show", OLEIVERB_SHOW, S_OK, true, S_OK, true},
        VerbCase{"Primary", OLEIVERB_PRIMARY, S_OK, true, S_OK, true},
        VerbCase{"UnknownPositiveActsAsPrimary", 7, S_OK, true, OLEOBJ_S_INVALIDVERB, true},
        VerbCase{"HideWhenInactive", OLEIVERB_HIDE, S_OK, true, S_OK, false},
        VerbCase{"Open", OLEIVERB_OPEN, S_OK, true, E_NOTIMPL, false},
        VerbCase{"Properties", OLEIVERB_PROPERTIES, S_OK, true, E_NOTIMPL, false},
        VerbCase{"SiteRefuses", OLEIVERB_INPLACEACTIVATE, S_FALSE, true, E_FAIL, false},
        VerbCase{"SiteFails", OLEIVERB_UIACTIVATE, E_ACCESSDENIED, true, E_ACCESSDENIED, false},
        VerbCase{"NoInPlaceSite", OLEIVERB_INPLACEACTIVATE, S_OK, false, E_NOINTERFACE, false}),
    [](const auto& info) { return std::string(info.param.name); });

// GetGuiResources is a stub under Wine (0, ERROR_CALL_NOT_IMPLEMENTED): there the handle
// counts are not available and only windows, objects and sites are counted.
std::optional<DWORD> GuiObjects(DWORD kind) {
    ::SetLastError(0);
    const DWORD count = ::GetGuiResources(::GetCurrentProcess(), kind);
    if (count == 0 && ::GetLastError() == ERROR_CALL_NOT_IMPLEMENTED)
        return std::nullopt;
    return count;
}

TEST_F(InPlaceActivationTest, TwoHundredActivationsLeaveNothingBehind) {
    m_control.Reset();
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(m_dll.GetClassObject(__uuidof(::TelvanePage), IID_IClassFactory, factory.PutVoid()),
              S_OK);
    // One cycle first, so what is made once per process (fonts, type information) is made.
    const auto cycle = [&] {
        ComPtr<IOleObject> control;
        ASSERT_EQ(factory->CreateInstance(nullptr, IID_IOleObject, control.PutVoid()), S_OK);
        Site(control.Get(), &m_site);
        ASSERT_EQ(
            control->DoVerb(OLEIVERB_UIACTIVATE, nullptr, &m_site, 0, m_window.Get(), &Position),
            S_OK);
        ComPtr<IOleInPlaceObject> inPlace;
        ASSERT_EQ(control->QueryInterface(IID_IOleInPlaceObject, inPlace.PutVoid()), S_OK);
        const RECT wider = {0, 0, 420, 380};
        ASSERT_EQ(inPlace->SetObjectRects(&wider, &wider), S_OK);
        ASSERT_EQ(control->Close(OLECLOSE_NOSAVE), S_OK);
        ASSERT_EQ(control->SetClientSite(nullptr), S_OK);
    };
    cycle();
    const auto gdi = GuiObjects(GR_GDIOBJECTS);
    const auto user = GuiObjects(GR_USEROBJECTS);
    for (int i = 0; i < 200; ++i) {
        cycle();
        if (HasFatalFailure())
            return;
        ASSERT_EQ(m_window.Descendants(), 0) << "cycle " << i;
    }
    EXPECT_EQ(m_site.References(), 1u);
    if (gdi) {
        EXPECT_EQ(GuiObjects(GR_GDIOBJECTS), gdi);
    } else {
        std::printf("GetGuiResources is not implemented here: GDI and USER handles not counted\n");
    }
    if (user) {
        EXPECT_EQ(GuiObjects(GR_USEROBJECTS), user);
    }
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    EXPECT_FALSE(::GetClassInfoExW(m_dll.Handle(), L"TelvanePageWindow", &windowClass))
        << "the window class went with the last window";
    factory.Reset();
    EXPECT_EQ(m_dll.CanUnloadNow(), S_OK);
}

enum class Start {
    StreamInitNew,
    StreamLoad,
    PropertyBagInitNew,
    PropertyBagLoad,
    StorageInitNew,
    StorageLoad,
    QuickActivate
};

struct StartCase {
    const char* name;
    Start start;
    friend void PrintTo(const StartCase& c, std::ostream* out) { *out << c.name; }
};

// A bag without properties, as a container saved for a page that writes none.
class EmptyPropertyBag : public StackComObject<IPropertyBag> {
public:
    HRESULT STDMETHODCALLTYPE Read(LPCOLESTR, VARIANT*, IErrorLog*) override {
        return E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE Write(LPCOLESTR, VARIANT*) override { return S_OK; }

protected:
    void* FindInterface(REFIID iid) override {
        return iid == IID_IUnknown || iid == IID_IPropertyBag ? static_cast<IPropertyBag*>(this)
                                                              : nullptr;
    }
};

class StartTest : public InPlaceActivationTest, public ::testing::WithParamInterface<StartCase> {
protected:
    EmptyPropertyBag m_bag;
};

TEST_P(StartTest, EveryWayOfStartingTheControlFindsThePageSite) {
    FakeClientSite site{{PageSiteIid}};
    ComPtr<IStorage> storage;
    ComPtr<IStream> stream;
    ComPtr<ILockBytes> bytes;
    ASSERT_EQ(::CreateILockBytesOnHGlobal(nullptr, TRUE, bytes.Put()), S_OK);
    ASSERT_EQ(
        ::StgCreateDocfileOnILockBytes(
            bytes.Get(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, storage.Put()),
        S_OK);
    ASSERT_EQ(::CreateStreamOnHGlobal(nullptr, TRUE, stream.Put()), S_OK);

    if (GetParam().start != Start::QuickActivate) {
        ASSERT_EQ(m_control->SetClientSite(&site), S_OK);
    }
    EXPECT_FALSE(site.WasAskedFor(PageSiteIid)) << "looked for the page site too early";
    HRESULT hr = E_FAIL;
    switch (GetParam().start) {
        case Start::StreamInitNew:
        case Start::StreamLoad: {
            ComPtr<IPersistStreamInit> persist;
            ASSERT_EQ(m_control->QueryInterface(IID_IPersistStreamInit, persist.PutVoid()), S_OK);
            hr = GetParam().start == Start::StreamLoad ? persist->Load(stream.Get())
                                                       : persist->InitNew();
            break;
        }
        case Start::PropertyBagInitNew:
        case Start::PropertyBagLoad: {
            ComPtr<IPersistPropertyBag> persist;
            ASSERT_EQ(m_control->QueryInterface(IID_IPersistPropertyBag, persist.PutVoid()), S_OK);
            hr = GetParam().start == Start::PropertyBagInitNew ? persist->InitNew()
                                                               : persist->Load(&m_bag, nullptr);
            break;
        }
        case Start::StorageInitNew:
        case Start::StorageLoad: {
            ComPtr<IPersistStorage> persist;
            ASSERT_EQ(m_control->QueryInterface(IID_IPersistStorage, persist.PutVoid()), S_OK);
            hr = GetParam().start == Start::StorageLoad ? persist->Load(storage.Get())
                                                        : persist->InitNew(storage.Get());
            break;
        }
        case Start::QuickActivate: {
            ComPtr<IQuickActivate> quick;
            ASSERT_EQ(m_control->QueryInterface(IID_IQuickActivate, quick.PutVoid()), S_OK);
            QACONTAINER container = {};
            container.cbSize = sizeof container;
            container.pClientSite = &site;
            QACONTROL control = {};
            control.cbSize = sizeof control;
            ASSERT_EQ(quick->QuickActivate(&container, &control), S_OK);
            EXPECT_EQ(control.dwMiscStatus, 0x20191u);
            ComPtr<IOleClientSite> kept;
            ASSERT_EQ(m_control->GetClientSite(kept.Put()), S_OK);
            EXPECT_EQ(kept.Get(), static_cast<IOleClientSite*>(&site));
            ComPtr<IPersistStreamInit> persist;
            ASSERT_EQ(m_control->QueryInterface(IID_IPersistStreamInit, persist.PutVoid()), S_OK);
            hr = persist->InitNew();
            break;
        }
    }
    EXPECT_EQ(hr, S_OK);
    EXPECT_TRUE(site.WasAskedFor(PageSiteIid));
    m_control->SetClientSite(nullptr);
    m_control.Reset();
    EXPECT_EQ(site.References(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Persistence, StartTest,
                         ::testing::Values(StartCase{"StreamInitNew", Start::StreamInitNew},
                                           StartCase{"StreamLoad", Start::StreamLoad},
                                           StartCase{"PropertyBagInitNew",
                                                     Start::PropertyBagInitNew},
                                           StartCase{"PropertyBagLoad", Start::PropertyBagLoad},
                                           StartCase{"StorageInitNew", Start::StorageInitNew},
                                           StartCase{"StorageLoad", Start::StorageLoad},
                                           StartCase{"QuickActivate", Start::QuickActivate}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(InPlaceActivationTest, ControlInfoOffersAltFForTheFaxManagerButton) {
    Site(m_control.Get(), &m_site);
    ComPtr<IOleControl> control;
    ASSERT_EQ(m_control->QueryInterface(IID_IOleControl, control.PutVoid()), S_OK);
    CONTROLINFO info = {};
    info.cb = sizeof info;
    ASSERT_EQ(control->GetControlInfo(&info), S_OK);
    ASSERT_EQ(info.cAccel, 1);
    ACCEL entry = {};
    ASSERT_EQ(::CopyAcceleratorTableW(info.hAccel, &entry, 1), 1);
    EXPECT_EQ(entry.fVirt & (FALT | FVIRTKEY), FALT | FVIRTKEY);
    EXPECT_EQ(entry.key, 'F');
}

std::wstring VersionCaptionOf(const std::wstring& path) {
    DWORD ignored = 0;
    std::vector<BYTE> data(::GetFileVersionInfoSizeW(path.c_str(), &ignored));
    void* value = nullptr;
    UINT length = 0;
    if (data.empty() ||
        !::GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(data.size()), data.data()) ||
        !::VerQueryValueW(data.data(), L"\\", &value, &length)) {
        return L"(no version resource)";
    }
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    wchar_t caption[64];
    std::swprintf(caption, 64, L"(Version: %u.%02u.%04u)", HIWORD(fixed->dwFileVersionMS),
                  LOWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionLS));
    return caption;
}

constexpr const wchar_t* SwitchText = L"Suppress fax numbers when Contacts created or updated";
constexpr const wchar_t* ManagerText = L"Manage &Fax Number Display...";

TEST_F(InPlaceActivationTest, PageControlsLieInItsWindowAndFollowItsWidth) {
    Site(m_control.Get(), &m_site);
    ASSERT_EQ(
        m_control->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &m_site, 0, m_window.Get(), &Position),
        S_OK);
    HWND page = WindowOf(m_control.Get());
    ASSERT_NE(page, nullptr);
    HWND button = FindText(page, ManagerText);
    ASSERT_NE(button, nullptr);
    EXPECT_NE(FindText(page, SwitchText), nullptr);
    EXPECT_NE(FindText(page, VersionCaptionOf(m_dll.Path())), nullptr)
        << "the version label shows the DLL's own version resource";

    // UserControl_Resize: the button's left edge is 2625 twips from the page's right edge.
    for (const LONG width : {Position.right - Position.left, 460L, 300L}) {
        ComPtr<IOleInPlaceObject> inPlace;
        ASSERT_EQ(m_control->QueryInterface(IID_IOleInPlaceObject, inPlace.PutVoid()), S_OK);
        const RECT sized = {0, 0, width, 360};
        ASSERT_EQ(inPlace->SetObjectRects(&sized, &sized), S_OK);
        EXPECT_NEAR(LeftInPage(button, page), Pixels(Twips(static_cast<int>(width)) - 2625), 1)
            << width;
    }
    m_control->Close(OLECLOSE_NOSAVE);
    EXPECT_EQ(m_window.Descendants(), 0);
}

TEST_F(InPlaceActivationTest, ViewDrawsThePageWhereTheContainerAsks) {
    Site(m_control.Get(), &m_site);
    ASSERT_EQ(
        m_control->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &m_site, 0, m_window.Get(), &Position),
        S_OK);
    ComPtr<IViewObject2> view;
    ASSERT_EQ(m_control->QueryInterface(IID_IViewObject2, view.PutVoid()), S_OK);
    const HDC screen = ::GetDC(nullptr);
    const HDC memory = ::CreateCompatibleDC(screen);
    const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 400, 400);
    const HGDIOBJ old = ::SelectObject(memory, bitmap);
    const RECT white = {0, 0, 400, 400};
    ::FillRect(memory, &white, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    const RECTL bounds = {20, 20, 392, 380};
    EXPECT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, memory, &bounds, nullptr,
                         nullptr, 0),
              S_OK);
    EXPECT_EQ(view->Draw(DVASPECT_ICON, -1, nullptr, nullptr, nullptr, memory, &bounds, nullptr,
                         nullptr, 0),
              DV_E_DVASPECT);
    const COLORREF face = ::GetNearestColor(memory, ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(::GetPixel(memory, 10, 10), RGB(255, 255, 255)) << "nothing outside the bounds";
    EXPECT_EQ(::GetPixel(memory, 25, 390 - 12), face) << "the page's background inside them";
    SIZEL extent = {};
    EXPECT_EQ(view->GetExtent(DVASPECT_CONTENT, -1, nullptr, &extent), S_OK);
    EXPECT_EQ(extent.cx, 9843);
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    view.Reset();
    m_control->Close(OLECLOSE_NOSAVE);
}

// Shift held or not for the key messages that follow (the thread's keyboard state).
void HoldShift(bool held) {
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_SHIFT] = held ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

TEST_F(InPlaceActivationTest, TabWalksThePageAndHandsOverAtEitherEnd) {
    Site(m_control.Get(), &m_site);
    ASSERT_EQ(
        m_control->DoVerb(OLEIVERB_UIACTIVATE, nullptr, &m_site, 0, m_window.Get(), &Position),
        S_OK);
    ::ShowWindow(m_window.Get(), SW_SHOWNA);
    HWND page = WindowOf(m_control.Get());
    HWND button = FindText(page, ManagerText);
    HWND box = FindText(page, SwitchText);
    ASSERT_TRUE(button && box);
    ComPtr<IOleInPlaceActiveObject> active;
    ASSERT_EQ(m_control->QueryInterface(IID_IOleInPlaceActiveObject, active.PutVoid()), S_OK);
    const auto tab = [&](bool shift) {
        HoldShift(shift);
        MSG message = {::GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
        const HRESULT hr = active->TranslateAccelerator(&message);
        HoldShift(false);
        return hr;
    };

    ASSERT_EQ(::GetFocus(), button) << "activation focuses the first control in tab order, not "
                                    << ClassOf(::GetFocus()) << " " << (::GetFocus() == page);
    m_site.ClearCalls();
    EXPECT_EQ(tab(false), S_OK);
    EXPECT_EQ(::GetFocus(), box);
    EXPECT_TRUE(m_site.Calls().empty());

    EXPECT_EQ(tab(false), S_FALSE) << "the site did not take the key";
    EXPECT_EQ(m_site.Calls(), (Calls{"IOleControlSite::TranslateAccelerator(Tab)"}));
    EXPECT_EQ(::GetFocus(), box);

    m_site.ClearCalls();
    m_site.AnswerTranslateAccelerator(S_OK);
    EXPECT_EQ(tab(true), S_OK);
    EXPECT_EQ(::GetFocus(), button);
    EXPECT_EQ(tab(true), S_OK) << "the site took the key";
    EXPECT_EQ(m_site.Calls(), (Calls{"IOleControlSite::TranslateAccelerator(Tab+Shift)"}));

    active.Reset();
    m_control->Close(OLECLOSE_NOSAVE);
}

TEST_F(InPlaceActivationTest, AltFOpensTheFaxManagerModallyOverTheContainer) {
    Site(m_control.Get(), &m_site);
    ASSERT_EQ(
        m_control->DoVerb(OLEIVERB_UIACTIVATE, nullptr, &m_site, 0, m_window.Get(), &Position),
        S_OK);
    ::ShowWindow(m_window.Get(), SW_SHOWNA);
    ComPtr<IOleInPlaceActiveObject> active;
    ASSERT_EQ(m_control->QueryInterface(IID_IOleInPlaceActiveObject, active.PutVoid()), S_OK);
    MSG message = {::GetFocus(), WM_SYSKEYDOWN, 'F', 0x20000000, 0, {0, 0}};
    const ManagerWatch watch = WatchFaxManager(
        m_window.Get(), [&] { EXPECT_EQ(active->TranslateAccelerator(&message), S_OK); });
    EXPECT_TRUE(watch.seen) << "Alt+F pressed cmdApplet, which shows the fax manager";
    EXPECT_TRUE(watch.containerDisabled) << "the manager is modal over the container";
    EXPECT_TRUE(::IsWindowEnabled(m_window.Get()));

    MSG other = {::GetFocus(), WM_SYSKEYDOWN, 'Q', 0x20000000, 0, {0, 0}};
    EXPECT_EQ(active->TranslateAccelerator(&other), S_FALSE) << "no control has Alt+Q";
    active.Reset();
    m_control->Close(OLECLOSE_NOSAVE);
    ::ShowWindow(m_window.Get(), SW_HIDE);
}

}  // namespace
}  // namespace telvane::win32::test
