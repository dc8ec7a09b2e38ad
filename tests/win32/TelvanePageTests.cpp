// TelvanePPE.TelvanePage as a container and the mail client use it: created from its class
// factory, sited, asked for PropertyPage, and released without leaving references behind.
#include <gtest/gtest.h>

#include <ocidl.h>
#include <olectl.h>

#include "TelvanePPE.h"
#include "platform/win32/com/Bstr.h"
#include "platform/win32/com/ComPtr.h"
#include "platform/win32/com/RegistryKeyHandle.h"
#include "platform/win32/optionspage/PropertyPageAdapter.h"
#include "tests/win32/ComApartment.h"
#include "tests/win32/FakeClientSite.h"
#include "tests/win32/FakeContainer.h"
#include "tests/win32/FakeDispatch.h"
#include "tests/win32/RegistryReader.h"
#include "tests/win32/ServerDll.h"

namespace telvane::win32::test {
namespace {

using com::Bstr;

constexpr IID PageSiteIid = PropertyPageAdapter::PropertyPageSiteIid;

// An object that is no event sink: it answers nothing but IUnknown.
class PlainObject : public StackComObject<IUnknown> {
protected:
    void* FindInterface(REFIID iid) override {
        return iid == IID_IUnknown ? static_cast<IUnknown*>(this) : nullptr;
    }
};

class TelvanePageTest : public ::testing::Test {
protected:
    void SetUp() override { m_control = NewControl(); }

    ComPtr<IOleObject> NewControl() {
        ComPtr<IClassFactory> factory;
        EXPECT_EQ(
            m_dll.GetClassObject(__uuidof(::TelvanePage), IID_IClassFactory, factory.PutVoid()),
            S_OK);
        ComPtr<IOleObject> control;
        if (factory) {
            EXPECT_EQ(factory->CreateInstance(nullptr, IID_IOleObject, control.PutVoid()), S_OK);
        }
        return control;
    }

    // Sites the control the way a container does: client site first, then InitNew.
    static void Site(IOleObject* control, IOleClientSite* site) {
        ASSERT_EQ(control->SetClientSite(site), S_OK);
        ComPtr<IPersistStreamInit> persist;
        ASSERT_EQ(control->QueryInterface(IID_IPersistStreamInit, persist.PutVoid()), S_OK);
        ASSERT_EQ(persist->InitNew(), S_OK);
    }

    template <class T>
    ComPtr<T> As(REFIID iid) {
        ComPtr<T> result;
        EXPECT_EQ(m_control->QueryInterface(iid, result.PutVoid()), S_OK);
        return result;
    }

    // The library keeps the last page site until another page replaces it, and the DLL releases
    // it when it unloads: these sites outlive the DLL.
    FakeContainer m_container{{PageSiteIid}};
    FakeClientSite m_site{{PageSiteIid}};
    FakeClientSite m_siteInContainer{{}, &m_container};
    FakeClientSite m_nextSite{{PageSiteIid}};

    ComApartment m_apartment;
    ServerDll m_dll{ServerDll::Page};
    ComPtr<IOleObject> m_control;
};

TEST_F(TelvanePageTest, PropertyPageIsReachedByQueryInterfaceAndCalledThroughItsVtable) {
    ComPtr<PropertyPage> page = As<PropertyPage>(__uuidof(PropertyPage));
    ASSERT_TRUE(page);
    VARIANT_BOOL dirty = VARIANT_TRUE;
    EXPECT_EQ(page->get_Dirty(&dirty), S_OK);
    EXPECT_EQ(dirty, VARIANT_FALSE) << "a new page is not dirty";
    EXPECT_EQ(page->Apply(), S_OK);
    EXPECT_EQ(page->get_Dirty(&dirty), S_OK);
    EXPECT_EQ(dirty, VARIANT_FALSE);
}

struct PageInfoCase {
    const wchar_t* helpFile;
    LONG helpContext;
    friend void PrintTo(const PageInfoCase& c, std::ostream* out) { *out << c.helpContext; }
};

class PageInfoTest : public TelvanePageTest, public ::testing::WithParamInterface<PageInfoCase> {};

TEST_P(PageInfoTest, GetPageInfoLeavesItsArgumentsAsPassed) {
    ComPtr<PropertyPage> page = As<PropertyPage>(__uuidof(PropertyPage));
    ASSERT_TRUE(page);
    Bstr helpFile;
    if (GetParam().helpFile)
        helpFile = Bstr(GetParam().helpFile);
    const BSTR passed = helpFile.Get();
    LONG context = GetParam().helpContext;
    BSTR file = helpFile.Get();
    EXPECT_EQ(page->GetPageInfo(&file, &context), S_OK);
    EXPECT_EQ(file, passed);
    EXPECT_EQ(context, GetParam().helpContext);
}

INSTANTIATE_TEST_SUITE_P(Arguments, PageInfoTest,
                         ::testing::Values(PageInfoCase{nullptr, 0},
                                           PageInfoCase{L"telvane.chm", 42},
                                           PageInfoCase{L"", -1}));

TEST_F(TelvanePageTest, PropertyPageAlsoAnswersByDispid) {
    ComPtr<PropertyPage> page = As<PropertyPage>(__uuidof(PropertyPage));
    ASSERT_TRUE(page);
    LPOLESTR name = const_cast<LPOLESTR>(L"Dirty");
    DISPID id = 0;
    ASSERT_EQ(page->GetIDsOfNames(IID_NULL, &name, 1, 0, &id), S_OK);
    EXPECT_EQ(id, 0x2101);

    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    VARIANT result;
    ::VariantInit(&result);
    ASSERT_EQ(
        page->Invoke(0x2101, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr),
        S_OK);
    EXPECT_EQ(result.vt, VT_BOOL);
    EXPECT_EQ(result.boolVal, VARIANT_FALSE);
    EXPECT_EQ(page->Invoke(0x2102, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
              S_OK);
}

enum class Order { ClientSiteFirst, InitNewFirst };

void PrintTo(Order order, std::ostream* out) {
    *out << (order == Order::ClientSiteFirst ? "client site first" : "InitNew first");
}

class PageSiteOrderTest : public TelvanePageTest, public ::testing::WithParamInterface<Order> {};

TEST_P(PageSiteOrderTest, PageSiteIsFoundOnceBothHaveArrivedAndKeptByTheLibrary) {
    ComPtr<IPersistStreamInit> persist = As<IPersistStreamInit>(IID_IPersistStreamInit);
    ASSERT_TRUE(persist);

    if (GetParam() == Order::ClientSiteFirst) {
        ASSERT_EQ(m_control->SetClientSite(&m_site), S_OK);
    } else {
        ASSERT_EQ(persist->InitNew(), S_OK);
    }
    EXPECT_FALSE(m_site.WasAskedFor(PageSiteIid)) << "looked for the page site too early";

    if (GetParam() == Order::ClientSiteFirst) {
        ASSERT_EQ(persist->InitNew(), S_OK);
    } else {
        ASSERT_EQ(m_control->SetClientSite(&m_site), S_OK);
    }
    EXPECT_TRUE(m_site.WasAskedFor(PageSiteIid));

    ComPtr<IOleClientSite> kept;
    ASSERT_EQ(m_control->GetClientSite(kept.Put()), S_OK);
    EXPECT_EQ(kept.Get(), static_cast<IOleClientSite*>(&m_site));
    kept.Reset();

    persist.Reset();
    m_control->SetClientSite(nullptr);
    m_control.Reset();
    EXPECT_EQ(m_site.References(), 1u) << "the page released the site it brought";
    EXPECT_EQ(m_dll.CanUnloadNow(), S_OK);

    ComPtr<IOleObject> next = NewControl();
    ASSERT_TRUE(next);
    Site(next.Get(), &m_nextSite);
    EXPECT_EQ(m_site.References(), 1u) << "the next page does not take the old site";
}

INSTANTIATE_TEST_SUITE_P(EitherOrder, PageSiteOrderTest,
                         ::testing::Values(Order::ClientSiteFirst, Order::InitNewFirst),
                         [](const auto& info) {
                             return info.param == Order::ClientSiteFirst ? "ClientSiteFirst"
                                                                         : "InitNewFirst";
                         });

TEST_F(TelvanePageTest, PageSiteIsFoundThroughTheContainer) {
    Site(m_control.Get(), &m_siteInContainer);
    EXPECT_TRUE(m_siteInContainer.WasAskedFor(PageSiteIid));
    EXPECT_TRUE(m_container.WasAskedFor(PageSiteIid));

    m_control.Reset();
    EXPECT_EQ(m_container.References(), 1u) << "released with the page that brought it";
    EXPECT_EQ(m_siteInContainer.References(), 1u);
}

// The switch as both libraries store it: HKCR\Software\Merrowind\Telvane\Options, "Default".
const std::wstring SwitchKey = L"Software\\Merrowind\\Telvane\\Options";

struct SwitchCase {
    const char* name;
    std::optional<DWORD> stored;  // before the page is created
    DWORD applied;                // after Apply
    friend void PrintTo(const SwitchCase& c, std::ostream* out) { *out << c.name; }
};

class PageSwitchTest : public TelvanePageTest, public ::testing::WithParamInterface<SwitchCase> {
protected:
    void TearDown() override {
        com::RegistryKeyHandle::DeleteTree(HKEY_CLASSES_ROOT, L"Software\\Merrowind");
    }
};

TEST_P(PageSwitchTest, ApplyStoresTheSwitchAsThePageLoadedIt) {
    com::RegistryKeyHandle::DeleteTree(HKEY_CLASSES_ROOT, L"Software\\Merrowind");
    if (GetParam().stored) {
        const DWORD stored = *GetParam().stored;
        ASSERT_TRUE(WriteNumber(HKEY_CLASSES_ROOT, SwitchKey, L"Default", stored));
    }
    Site(m_control.Get(), &m_site);
    com::RegistryKeyHandle::DeleteValue(HKEY_CLASSES_ROOT, SwitchKey.c_str(), L"Default");

    ComPtr<PropertyPage> page = As<PropertyPage>(__uuidof(PropertyPage));
    ASSERT_TRUE(page);
    ASSERT_EQ(page->Apply(), S_OK);
    EXPECT_EQ(ReadNumber(HKEY_CLASSES_ROOT, SwitchKey, L"Default"), GetParam().applied);
    VARIANT_BOOL dirty = VARIANT_TRUE;
    EXPECT_EQ(page->get_Dirty(&dirty), S_OK);
    EXPECT_EQ(dirty, VARIANT_FALSE);
}

INSTANTIATE_TEST_SUITE_P(StoredSwitch, PageSwitchTest,
                         ::testing::Values(SwitchCase{"Missing", std::nullopt, 0},
                                           SwitchCase{"Off", 0, 0}, SwitchCase{"On", 1, 1}));

TEST_F(TelvanePageTest, ControlReportsItsMiscStatusAndDesignedSize) {
    DWORD status = 0;
    EXPECT_EQ(m_control->GetMiscStatus(DVASPECT_CONTENT, &status), S_OK);
    EXPECT_EQ(status, 0x20191u);

    SIZEL size = {};
    ASSERT_EQ(m_control->GetExtent(DVASPECT_CONTENT, &size), S_OK);
    EXPECT_EQ(size.cx, 9843) << "5580 twips";
    EXPECT_EQ(size.cy, 9525) << "5400 twips";

    SIZEL resized = {12000, 8000};
    ASSERT_EQ(m_control->SetExtent(DVASPECT_CONTENT, &resized), S_OK);
    ASSERT_EQ(m_control->GetExtent(DVASPECT_CONTENT, &size), S_OK);
    EXPECT_EQ(size.cx, 12000);
    EXPECT_EQ(size.cy, 8000);
}

TEST_F(TelvanePageTest, ClassInfoNamesTheClassAndItsEventInterface) {
    ComPtr<IProvideClassInfo2> classInfo = As<IProvideClassInfo2>(IID_IProvideClassInfo2);
    ASSERT_TRUE(classInfo);
    GUID events = GUID_NULL;
    ASSERT_EQ(classInfo->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &events), S_OK);
    EXPECT_TRUE(events == __uuidof(__TelvanePage));

    CLSID clsid = GUID_NULL;
    ASSERT_EQ(m_control->GetUserClassID(&clsid), S_OK);
    EXPECT_TRUE(clsid == __uuidof(::TelvanePage));
}

TEST_F(TelvanePageTest, EventInterfaceAcceptsSinksAndReleasesThem) {
    ComPtr<IConnectionPointContainer> container =
        As<IConnectionPointContainer>(IID_IConnectionPointContainer);
    ASSERT_TRUE(container);
    ComPtr<IConnectionPoint> point;
    ASSERT_EQ(container->FindConnectionPoint(__uuidof(__TelvanePage), point.Put()), S_OK);
    IID events = GUID_NULL;
    ASSERT_EQ(point->GetConnectionInterface(&events), S_OK);
    EXPECT_TRUE(events == __uuidof(__TelvanePage));

    FakeDispatch sink;
    DWORD cookie = 0;
    ASSERT_EQ(point->Advise(&sink, &cookie), S_OK);
    EXPECT_NE(cookie, 0u);
    EXPECT_EQ(sink.References(), 2u);
    EXPECT_EQ(point->Unadvise(cookie), S_OK);
    EXPECT_EQ(sink.References(), 1u);
    EXPECT_EQ(point->Unadvise(cookie), CONNECT_E_NOCONNECTION);

    PlainObject notASink;
    EXPECT_EQ(point->Advise(&notASink, &cookie), CONNECT_E_CANNOTCONNECT);
    EXPECT_EQ(notASink.References(), 1u);

    ComPtr<IConnectionPoint> other;
    EXPECT_EQ(container->FindConnectionPoint(IID_IPropertyNotifySink, other.Put()),
              CONNECT_E_NOCONNECTION);

    point.Reset();
    container.Reset();
    m_control.Reset();
    EXPECT_EQ(m_dll.CanUnloadNow(), S_OK);
}

TEST_F(TelvanePageTest, SinkStillAdvisedWhenThePageGoesIsReleased) {
    FakeDispatch sink;
    {
        ComPtr<IConnectionPointContainer> container =
            As<IConnectionPointContainer>(IID_IConnectionPointContainer);
        ComPtr<IConnectionPoint> point;
        ASSERT_EQ(container->FindConnectionPoint(__uuidof(__TelvanePage), point.Put()), S_OK);
        DWORD cookie = 0;
        ASSERT_EQ(point->Advise(&sink, &cookie), S_OK);
    }
    m_control.Reset();
    EXPECT_EQ(sink.References(), 1u);
}

}  // namespace
}  // namespace telvane::win32::test
