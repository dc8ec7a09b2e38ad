// Telvane.TLConnect as the mail client calls it: IDTExtensibility2 through the vtable and by
// DISPID, failures as HRESULTs with error info, and no reference kept after a failure.
#include <gtest/gtest.h>

#include <vector>

#include "Telvane.h"
#include "platform/win32/com/Bstr.h"
#include "platform/win32/com/ComPtr.h"
#include "platform/win32/com/TextConversion.h"
#include "tests/win32/ComApartment.h"
#include "tests/win32/FakeDispatch.h"
#include "tests/win32/ServerDll.h"

namespace telvane::win32::test {
namespace {

using com::Bstr;

// The mail client's _Application.
constexpr IID ApplicationIid = {
    0x00063001, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

struct ErrorInfo {
    std::string source;
    std::string description;
};

ErrorInfo TakeErrorInfo() {
    ComPtr<IErrorInfo> info;
    if (::GetErrorInfo(0, info.Put()) != S_OK || !info)
        return {"(none)", "(none)"};
    Bstr source;
    Bstr description;
    info->GetSource(source.Put());
    info->GetDescription(description.Put());
    return {source.Utf8(), description.Utf8()};
}

// An empty SAFEARRAY of VARIANT, as the mail client passes for "custom".
class CustomArray {
public:
    CustomArray() : m_array(::SafeArrayCreateVector(VT_VARIANT, 0, 0)) {}
    CustomArray(const CustomArray&) = delete;
    CustomArray& operator=(const CustomArray&) = delete;
    ~CustomArray() { ::SafeArrayDestroy(m_array); }
    SAFEARRAY** Address() { return &m_array; }

private:
    SAFEARRAY* m_array;
};

class TLConnectTest : public ::testing::Test {
protected:
    void SetUp() override {
        ComPtr<IClassFactory> factory;
        ASSERT_EQ(m_dll.GetClassObject(__uuidof(::TLConnect), IID_IClassFactory, factory.PutVoid()),
                  S_OK);
        ASSERT_EQ(
            factory->CreateInstance(nullptr, __uuidof(_IDTExtensibility2), m_connect.PutVoid()),
            S_OK);
    }

    ComApartment m_apartment;
    ServerDll m_dll{ServerDll::AddIn};
    ComPtr<_IDTExtensibility2> m_connect;
    CustomArray m_custom;
};

TEST_F(TLConnectTest, ObjectThatIsNotTheMailClientsApplicationIsRefusedAndNotKept) {
    FakeDispatch notOutlook;
    const HRESULT hr =
        m_connect->OnConnection(&notOutlook, ext_cm_Startup, nullptr, m_custom.Address());
    EXPECT_EQ(hr, E_NOINTERFACE);
    const ErrorInfo error = TakeErrorInfo();
    EXPECT_EQ(error.source, "Telvane");
    EXPECT_NE(error.description.find("Application"), std::string::npos) << error.description;
    EXPECT_TRUE(notOutlook.WasAskedFor(ApplicationIid));
    EXPECT_EQ(notOutlook.References(), 1u);
}

TEST_F(TLConnectTest, MissingApplicationFailsWithTypeMismatch) {
    EXPECT_EQ(m_connect->OnConnection(nullptr, ext_cm_AfterStartup, nullptr, m_custom.Address()),
              static_cast<HRESULT>(0x800A000D));
    EXPECT_EQ(TakeErrorInfo().source, "Telvane");
}

TEST_F(TLConnectTest, ApplicationThatFailsEveryCallIsReleasedAfterDisconnection) {
    FakeDispatch failing({ApplicationIid});
    EXPECT_TRUE(
        FAILED(m_connect->OnConnection(&failing, ext_cm_Startup, nullptr, m_custom.Address())));
    EXPECT_EQ(m_connect->OnDisconnection(ext_dm_HostShutdown, m_custom.Address()), S_OK);
    m_connect.Reset();
    EXPECT_EQ(failing.References(), 1u);
    EXPECT_EQ(m_dll.CanUnloadNow(), S_OK);
}

TEST_F(TLConnectTest, DisconnectionWithoutConnectionSucceeds) {
    EXPECT_EQ(m_connect->OnDisconnection(ext_dm_UserClosed, m_custom.Address()), S_OK);
    EXPECT_EQ(m_connect->OnDisconnection(ext_dm_HostShutdown, m_custom.Address()), S_OK);
}

struct NotificationCase {
    const wchar_t* name;
    DISPID id;
    friend void PrintTo(const NotificationCase& c, std::ostream* out) {
        *out << com::Utf8FromWide(c.name);
    }
};

class TLConnectDispatchTest : public TLConnectTest,
                              public ::testing::WithParamInterface<NotificationCase> {};

TEST_P(TLConnectDispatchTest, NotificationIsFoundByNameAndSucceedsByDispid) {
    const NotificationCase& c = GetParam();
    LPOLESTR name = const_cast<LPOLESTR>(c.name);
    DISPID id = DISPID_UNKNOWN;
    ASSERT_EQ(m_connect->GetIDsOfNames(IID_NULL, &name, 1, 0, &id), S_OK);
    EXPECT_EQ(id, c.id);

    VARIANT custom;
    ::VariantInit(&custom);
    custom.vt = VT_ARRAY | VT_VARIANT | VT_BYREF;
    custom.pparray = m_custom.Address();
    DISPPARAMS parameters = {&custom, nullptr, 1, 0};
    EXPECT_EQ(m_connect->Invoke(c.id, IID_NULL, 0, DISPATCH_METHOD, &parameters, nullptr, nullptr,
                                nullptr),
              S_OK);
}

INSTANTIATE_TEST_SUITE_P(NoOps, TLConnectDispatchTest,
                         ::testing::Values(NotificationCase{L"OnAddInsUpdate", 3},
                                           NotificationCase{L"OnStartupComplete", 4},
                                           NotificationCase{L"OnBeginShutdown", 5}));

TEST_F(TLConnectTest, ConnectionFailureByDispidArrivesInExcepInfo) {
    FakeDispatch notOutlook;
    VARIANT arguments[4];  // last to first: custom, AddInInst, ConnectMode, Application
    for (VARIANT& argument : arguments)
        ::VariantInit(&argument);
    arguments[0].vt = VT_ARRAY | VT_VARIANT | VT_BYREF;
    arguments[0].pparray = m_custom.Address();
    arguments[1].vt = VT_DISPATCH;
    arguments[1].pdispVal = nullptr;
    arguments[2].vt = VT_I4;
    arguments[2].lVal = ext_cm_Startup;
    arguments[3].vt = VT_DISPATCH;
    arguments[3].pdispVal = &notOutlook;
    DISPPARAMS parameters = {arguments, nullptr, 4, 0};
    EXCEPINFO exception = {};
    EXPECT_EQ(m_connect->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &parameters, nullptr, &exception,
                                nullptr),
              DISP_E_EXCEPTION);
    Bstr source;
    Bstr description;
    *source.Put() = exception.bstrSource;
    *description.Put() = exception.bstrDescription;
    ::SysFreeString(exception.bstrHelpFile);
    EXPECT_EQ(exception.scode, E_NOINTERFACE);
    EXPECT_EQ(source.Utf8(), "Telvane");
    EXPECT_FALSE(description.Utf8().empty());
    EXPECT_EQ(notOutlook.References(), 1u);
}

// Error info left on the thread by an earlier, unrelated failure.
void LeaveEarlierErrorInfo() {
    ComPtr<ICreateErrorInfo> create;
    ASSERT_EQ(::CreateErrorInfo(create.Put()), S_OK);
    create->SetSource(const_cast<LPOLESTR>(L"Earlier"));
    create->SetDescription(const_cast<LPOLESTR>(L"An earlier failure"));
    ComPtr<IErrorInfo> info;
    ASSERT_EQ(create.As(info), S_OK);
    ASSERT_EQ(::SetErrorInfo(0, info.Get()), S_OK);
}

TEST_F(TLConnectTest, InvokeReportsOnlyWhatTheCallItselfRaised) {
    FakeDispatch notOutlook;
    struct Case {
        const char* what;
        DISPID id;
        std::vector<VARIANT> arguments;  // last to first
        HRESULT expected;
        const char* source;  // in the EXCEPINFO; nullptr: none filled in
    };
    VARIANT custom;
    ::VariantInit(&custom);
    custom.vt = VT_ARRAY | VT_VARIANT | VT_BYREF;
    custom.pparray = m_custom.Address();
    VARIANT none;
    ::VariantInit(&none);
    none.vt = VT_DISPATCH;
    none.pdispVal = nullptr;
    VARIANT mode;
    ::VariantInit(&mode);
    mode.vt = VT_I4;
    mode.lVal = ext_cm_Startup;
    VARIANT application;
    ::VariantInit(&application);
    application.vt = VT_DISPATCH;
    application.pdispVal = &notOutlook;
    const Case cases[] = {
        {"unknown member", 0x7777, {}, DISP_E_MEMBERNOTFOUND, nullptr},
        {"a missing argument", 3, {}, DISP_E_BADPARAMCOUNT, nullptr},
        {"the method raised", 1, {custom, none, mode, application}, DISP_E_EXCEPTION, "Telvane"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LeaveEarlierErrorInfo();
        std::vector<VARIANT> arguments = c.arguments;
        DISPPARAMS parameters = {arguments.data(), nullptr, static_cast<UINT>(arguments.size()), 0};
        EXCEPINFO exception = {};
        EXPECT_EQ(m_connect->Invoke(c.id, IID_NULL, 0, DISPATCH_METHOD, &parameters, nullptr,
                                    &exception, nullptr),
                  c.expected);
        Bstr source;
        Bstr description;
        *source.Put() = exception.bstrSource;
        *description.Put() = exception.bstrDescription;
        ::SysFreeString(exception.bstrHelpFile);
        if (c.source) {
            EXPECT_EQ(source.Utf8(), c.source);
            EXPECT_EQ(exception.scode, E_NOINTERFACE);
        } else {
            EXPECT_EQ(exception.bstrSource, nullptr) << source.Utf8();
            EXPECT_EQ(exception.bstrDescription, nullptr) << description.Utf8();
            EXPECT_EQ(exception.scode, S_OK);
        }
    }
}

TEST_F(TLConnectTest, DefaultInterfaceDoesNotOfferTheConnectionMembers) {
    ComPtr<IDispatch> byDefault;
    ASSERT_EQ(m_connect->QueryInterface(IID_IDispatch, byDefault.PutVoid()), S_OK);
    LPOLESTR name = const_cast<LPOLESTR>(L"OnConnection");
    DISPID id = 0;
    EXPECT_EQ(byDefault->GetIDsOfNames(IID_NULL, &name, 1, 0, &id), DISP_E_UNKNOWNNAME);
}

}  // namespace
}  // namespace telvane::win32::test
