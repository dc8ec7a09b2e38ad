// Registration of both DLLs on the real registry: through regsvr32 and their entry points, what
// is written, that writing twice changes nothing, and that unregistering removes all of it.
#include <gtest/gtest.h>

#include <olectl.h>

#include <map>
#include <set>
#include <string>

#include "Telvane.h"
#include "TelvanePPE.h"
#include "platform/win32/com/ComPtr.h"
#include "platform/win32/com/GuidText.h"
#include "platform/win32/com/RegistryKeyHandle.h"
#include "platform/win32/com/TextConversion.h"
#include "tests/win32/ComApartment.h"
#include "tests/win32/RegistryReader.h"
#include "tests/win32/Regsvr32.h"
#include "tests/win32/ServerDll.h"

namespace telvane::win32::test {
namespace {

using namespace std::string_literals;

using com::GuidText;
using com::Utf8FromWide;

const std::wstring AddInEntry = L"Software\\Microsoft\\Office\\Outlook\\Addins\\Telvane.TLConnect";
const std::wstring DesignerLibrary = L"{AC0714F2-3D04-11D1-AE7D-00A0C90F26F4}";

std::wstring LibraryIdOf(const std::wstring& dll) {
    ComPtr<ITypeLib> library;
    if (FAILED(::LoadTypeLibEx(dll.c_str(), REGKIND_NONE, library.Put())))
        return L"(none)";
    TLIBATTR* attributes = nullptr;
    library->GetLibAttr(&attributes);
    const std::wstring id = GuidText(attributes->guid);
    library->ReleaseTLibAttr(attributes);
    return id;
}

bool SamePath(const std::optional<std::wstring>& registered, const std::wstring& path) {
    return registered && ::_wcsicmp(registered->c_str(), path.c_str()) == 0;
}

// What registering may add to: the names of classes, type libraries and interfaces, and the
// current user's Office settings.
struct RegistryPicture {
    std::set<std::wstring> classesRoot;
    std::set<std::wstring> classIds;
    std::set<std::wstring> typeLibraries;
    std::set<std::wstring> interfaces;
    std::map<std::wstring, std::wstring> office;

    static RegistryPicture Take() {
        return {SubKeyNames(HKEY_CLASSES_ROOT, L""), SubKeyNames(HKEY_CLASSES_ROOT, L"CLSID"),
                SubKeyNames(HKEY_CLASSES_ROOT, L"TypeLib"),
                SubKeyNames(HKEY_CLASSES_ROOT, L"Interface"),
                Snapshot(HKEY_CURRENT_USER, L"Software\\Microsoft\\Office")};
    }
    bool operator==(const RegistryPicture&) const = default;
};

// Names in a that b lacks, for messages.
std::string Missing(const std::set<std::wstring>& a, const std::set<std::wstring>& b) {
    std::string names;
    for (const std::wstring& name : a) {
        if (!b.count(name))
            names += Utf8FromWide(name) + " ";
    }
    return names;
}

class RegistrationTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(m_addIn.Unregister(), S_OK);
        ASSERT_EQ(m_page.Unregister(), S_OK);
    }
    void TearDown() override {
        EXPECT_EQ(m_addIn.Unregister(), S_OK);
        EXPECT_EQ(m_page.Unregister(), S_OK);
    }

    const ServerDll& Dll(const wchar_t* name) const {
        return name == ServerDll::AddIn ? m_addIn : m_page;
    }

    ComApartment m_apartment;
    ServerDll m_addIn{ServerDll::AddIn};
    ServerDll m_page{ServerDll::Page};
};

class Regsvr32Test : public RegistrationTest,
                     public ::testing::WithParamInterface<const wchar_t*> {};

TEST_P(Regsvr32Test, RegistersAndUnregistersAndUnregisteringAgainIsHarmless) {
    const std::wstring& path = Dll(GetParam()).Path();
    EXPECT_EQ(RunRegsvr32(L"", path), 0u);
    EXPECT_EQ(RunRegsvr32(L"", path), 0u) << "registering again";
    EXPECT_EQ(RunRegsvr32(L"/u", path), 0u);
    EXPECT_EQ(RunRegsvr32(L"/u", path), 0u) << "unregistering again";
}

INSTANTIATE_TEST_SUITE_P(BothDlls, Regsvr32Test,
                         ::testing::Values(ServerDll::AddIn, ServerDll::Page));

struct ClassCase {
    const wchar_t* dll;
    const wchar_t* progId;
    friend void PrintTo(const ClassCase& c, std::ostream* out) { *out << Utf8FromWide(c.progId); }
};

class RegisteredClassTest : public RegistrationTest,
                            public ::testing::WithParamInterface<ClassCase> {};

TEST_P(RegisteredClassTest, ProgIdLeadsToThisDllAsAnApartmentServer) {
    const ServerDll& dll = Dll(GetParam().dll);
    ASSERT_EQ(dll.Register(), S_OK);
    CLSID clsid = GUID_NULL;
    ASSERT_EQ(::CLSIDFromProgID(GetParam().progId, &clsid), S_OK);
    const std::wstring key = L"CLSID\\" + GuidText(clsid);
    const auto server = ReadText(HKEY_CLASSES_ROOT, key + L"\\InprocServer32", nullptr);
    EXPECT_TRUE(SamePath(server, dll.Path())) << Utf8FromWide(server.value_or(L"(none)"));
    EXPECT_EQ(ReadText(HKEY_CLASSES_ROOT, key + L"\\InprocServer32", L"ThreadingModel"),
              L"Apartment"s);
    EXPECT_EQ(ReadText(HKEY_CLASSES_ROOT, key + L"\\ProgID", nullptr),
              std::wstring(GetParam().progId));
    EXPECT_EQ(ReadText(HKEY_CLASSES_ROOT, key + L"\\TypeLib", nullptr), LibraryIdOf(dll.Path()));
    EXPECT_EQ(ReadText(HKEY_CLASSES_ROOT, key + L"\\Version", nullptr), L"1.0"s);
}

TEST_P(RegisteredClassTest, ClassIsCreatedByProgIdThroughCom) {
    ASSERT_EQ(Dll(GetParam().dll).Register(), S_OK);
    CLSID clsid = GUID_NULL;
    ASSERT_EQ(::CLSIDFromProgID(GetParam().progId, &clsid), S_OK);
    ComPtr<IDispatch> object;
    EXPECT_EQ(
        ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, object.PutVoid()),
        S_OK);
}

INSTANTIATE_TEST_SUITE_P(EveryClass, RegisteredClassTest,
                         ::testing::Values(ClassCase{ServerDll::AddIn, L"Telvane.TLConnect"},
                                           ClassCase{ServerDll::AddIn, L"Telvane.TelvaneAddIn"},
                                           ClassCase{ServerDll::Page, L"TelvanePPE.TelvanePage"}));

TEST_F(RegistrationTest, AddInEntryAnnouncesTheAddInForTheCurrentUser) {
    ASSERT_EQ(m_addIn.Register(), S_OK);
    EXPECT_EQ(ReadText(HKEY_CURRENT_USER, AddInEntry, L"FriendlyName"), L"Telvane for Outlook"s);
    EXPECT_EQ(ReadText(HKEY_CURRENT_USER, AddInEntry, L"Description"), L"Telvane for Outlook"s);
    EXPECT_EQ(ReadNumber(HKEY_CURRENT_USER, AddInEntry, L"LoadBehavior"), 3u);
    EXPECT_EQ(ReadNumber(HKEY_CURRENT_USER, AddInEntry, L"CommandLineSafe"), 0u);
    EXPECT_EQ(Snapshot(HKEY_CURRENT_USER, AddInEntry).size(), 5u) << "a key and four values";
}

TEST_F(RegistrationTest, PageIsRegisteredAsAControlWithItsToolboxBitmap) {
    ASSERT_EQ(m_page.Register(), S_OK);
    const std::wstring key = L"CLSID\\" + GuidText(__uuidof(::TelvanePage));
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, key + L"\\Control"));
    EXPECT_EQ(ReadText(HKEY_CLASSES_ROOT, key + L"\\MiscStatus", nullptr), L"131473"s);
    EXPECT_EQ(ReadText(HKEY_CLASSES_ROOT, key + L"\\MiscStatus\\1", nullptr), L"131473"s);
    const auto bitmap = ReadText(HKEY_CLASSES_ROOT, key + L"\\ToolboxBitmap32", nullptr);
    EXPECT_TRUE(SamePath(bitmap, m_page.Path() + L", 30000"))
        << Utf8FromWide(bitmap.value_or(L"(none)"));

    HANDLE image = ::LoadImageW(m_page.Handle(), MAKEINTRESOURCEW(30000), IMAGE_BITMAP, 0, 0, 0);
    ASSERT_NE(image, nullptr) << "bitmap resource 30000";
    BITMAP picture = {};
    ::GetObjectW(image, sizeof picture, &picture);
    ::DeleteObject(image);
    EXPECT_EQ(picture.bmWidth, 16);
    EXPECT_EQ(picture.bmHeight, 15);
}

struct TypeLibraryCase {
    const wchar_t* dll;
    const wchar_t* help;
    std::vector<IID> interfaces;
    friend void PrintTo(const TypeLibraryCase& c, std::ostream* out) {
        *out << Utf8FromWide(c.dll);
    }
};

class TypeLibraryRegistrationTest : public RegistrationTest,
                                    public ::testing::WithParamInterface<TypeLibraryCase> {};

TEST_P(TypeLibraryRegistrationTest, TypeLibraryAndItsAutomationInterfacesAreRegistered) {
    const ServerDll& dll = Dll(GetParam().dll);
    ASSERT_EQ(dll.Register(), S_OK);
    const std::wstring library = LibraryIdOf(dll.Path());
    const std::wstring version = L"TypeLib\\" + library + L"\\1.0";
    EXPECT_EQ(ReadText(HKEY_CLASSES_ROOT, version, nullptr), std::wstring(GetParam().help));
    const wchar_t* system = sizeof(void*) == 8 ? L"\\0\\win64" : L"\\0\\win32";
    EXPECT_TRUE(SamePath(ReadText(HKEY_CLASSES_ROOT, version + system, nullptr), dll.Path()));
    for (const IID& iid : GetParam().interfaces) {
        EXPECT_EQ(
            ReadText(HKEY_CLASSES_ROOT, L"Interface\\" + GuidText(iid) + L"\\TypeLib", nullptr),
            library)
            << Utf8FromWide(GuidText(iid));
    }
}

INSTANTIATE_TEST_SUITE_P(
    BothDlls, TypeLibraryRegistrationTest,
    ::testing::Values(TypeLibraryCase{ServerDll::AddIn,
                                      L"Telvane for Outlook",
                                      {__uuidof(_TLConnect), __uuidof(_TelvaneAddIn),
                                       __uuidof(_IDTExtensibility2)}},
                      TypeLibraryCase{ServerDll::Page,
                                      L"Telvane",
                                      {__uuidof(_TelvanePage), __uuidof(__TelvanePage)}}));

TEST_F(RegistrationTest, MailClientsPropertyPageInterfaceIsLeftToTheMailClient) {
    ASSERT_EQ(m_page.Register(), S_OK);
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, L"Interface\\" + GuidText(__uuidof(PropertyPage))));
}

// Everything one DLL's registration writes, key by key and value by value.
std::map<std::wstring, std::wstring> RegistrationOf(const ServerDll& dll,
                                                    const std::vector<std::wstring>& progIds) {
    std::map<std::wstring, std::wstring> all;
    auto add = [&](HKEY root, const std::wstring& key) {
        for (const auto& [name, value] : Snapshot(root, key))
            all[key + L"|" + name] = value;
    };
    add(HKEY_CLASSES_ROOT, L"TypeLib\\" + LibraryIdOf(dll.Path()));
    for (const std::wstring& progId : progIds) {
        add(HKEY_CLASSES_ROOT, progId);
        CLSID clsid = GUID_NULL;
        if (SUCCEEDED(::CLSIDFromProgID(progId.c_str(), &clsid))) {
            add(HKEY_CLASSES_ROOT, L"CLSID\\" + GuidText(clsid));
        }
    }
    add(HKEY_CURRENT_USER, AddInEntry);
    return all;
}

struct TwiceCase {
    const wchar_t* dll;
    std::vector<std::wstring> progIds;
    friend void PrintTo(const TwiceCase& c, std::ostream* out) { *out << Utf8FromWide(c.dll); }
};

class RegisterTwiceTest : public RegistrationTest,
                          public ::testing::WithParamInterface<TwiceCase> {};

TEST_P(RegisterTwiceTest, RegisteringTwiceLeavesWhatRegisteringOnceLeaves) {
    const ServerDll& dll = Dll(GetParam().dll);
    ASSERT_EQ(dll.Register(), S_OK);
    const auto once = RegistrationOf(dll, GetParam().progIds);
    ASSERT_GT(once.size(), 10u);
    ASSERT_EQ(dll.Register(), S_OK);
    EXPECT_EQ(RegistrationOf(dll, GetParam().progIds), once);
}

INSTANTIATE_TEST_SUITE_P(
    BothDlls, RegisterTwiceTest,
    ::testing::Values(TwiceCase{ServerDll::AddIn, {L"Telvane.TLConnect", L"Telvane.TelvaneAddIn"}},
                      TwiceCase{ServerDll::Page, {L"TelvanePPE.TelvanePage"}}));

TEST_F(RegistrationTest, UnregisteringLeavesTheRegistryAsItWas) {
    const RegistryPicture before = RegistryPicture::Take();
    ASSERT_EQ(m_addIn.Register(), S_OK);
    ASSERT_EQ(m_page.Register(), S_OK);
    const RegistryPicture registered = RegistryPicture::Take();
    EXPECT_NE(registered.classIds, before.classIds);
    EXPECT_NE(registered.office, before.office);

    ASSERT_EQ(m_page.Unregister(), S_OK);
    ASSERT_EQ(m_addIn.Unregister(), S_OK);
    const RegistryPicture after = RegistryPicture::Take();
    EXPECT_EQ(after.classesRoot, before.classesRoot)
        << Missing(after.classesRoot, before.classesRoot);
    EXPECT_EQ(after.classIds, before.classIds) << Missing(after.classIds, before.classIds);
    EXPECT_EQ(after.typeLibraries, before.typeLibraries)
        << Missing(after.typeLibraries, before.typeLibraries);
    EXPECT_EQ(after.interfaces, before.interfaces) << Missing(after.interfaces, before.interfaces);
    EXPECT_EQ(after.office.size(), before.office.size());
    EXPECT_TRUE(after == before);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, AddInEntry));
}

TEST_F(RegistrationTest, OfficeKeysThatOthersUseStayWhenTheAddInIsUnregistered) {
    const std::wstring other = L"Software\\Microsoft\\Office\\Outlook\\Addins\\Other.Connect";
    ASSERT_TRUE(WriteText(HKEY_CURRENT_USER, other, L"FriendlyName", L"Other"));
    ASSERT_EQ(m_addIn.Register(), S_OK);
    ASSERT_EQ(m_addIn.Unregister(), S_OK);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, AddInEntry));
    EXPECT_EQ(ReadText(HKEY_CURRENT_USER, other, L"FriendlyName"), L"Other"s);

    // Registering and unregistering once more takes the Office keys the test made, now empty.
    com::RegistryKeyHandle::DeleteTree(HKEY_CURRENT_USER, other.c_str());
    ASSERT_EQ(m_addIn.Register(), S_OK);
}

TEST_F(RegistrationTest, DllRegisterServerAnswersThePlatformsCodeWhenTheAddInEntryFails) {
    const std::wstring addIns = L"Software\\Microsoft\\Office\\Outlook\\Addins";
    ASSERT_FALSE(KeyExists(HKEY_CURRENT_USER, addIns)) << "unregistering removes it when empty";
    {
        // A volatile key takes no lasting subkeys, so the add-in entry cannot be created. Only
        // the last key is volatile: RegCreateKeyExW would make every missing one on the way so.
        const com::RegistryKeyHandle outlook = com::RegistryKeyHandle::Create(
            HKEY_CURRENT_USER, L"Software\\Microsoft\\Office\\Outlook");
        ASSERT_TRUE(outlook);
        HKEY key = nullptr;
        ASSERT_EQ(::RegCreateKeyExW(outlook.Get(), L"Addins", 0, nullptr, REG_OPTION_VOLATILE,
                                    KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        const com::RegistryKeyHandle volatileAddIns(key);
        EXPECT_EQ(m_addIn.Register(), HRESULT_FROM_WIN32(ERROR_CHILD_MUST_BE_VOLATILE));
    }
    EXPECT_EQ(m_addIn.Unregister(), S_OK);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, addIns));
}

TEST_F(RegistrationTest, UnregisteringThePageLeavesTheAddInCreatable) {
    ASSERT_EQ(m_addIn.Register(), S_OK);
    ASSERT_EQ(m_page.Register(), S_OK);
    ASSERT_EQ(m_page.Unregister(), S_OK);

    CLSID clsid = GUID_NULL;
    EXPECT_TRUE(FAILED(::CLSIDFromProgID(L"TelvanePPE.TelvanePage", &clsid)));
    ASSERT_EQ(::CLSIDFromProgID(L"Telvane.TLConnect", &clsid), S_OK);
    ComPtr<_IDTExtensibility2> connect;
    EXPECT_EQ(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, __uuidof(_IDTExtensibility2),
                                 connect.PutVoid()),
              S_OK);
    EXPECT_EQ(ReadNumber(HKEY_CURRENT_USER, AddInEntry, L"LoadBehavior"), 3u);
}

TEST_F(RegistrationTest, AddInDesignersRegistrationOfIDTExtensibility2IsKept) {
    const std::wstring key = L"Interface\\" + GuidText(__uuidof(_IDTExtensibility2));
    ASSERT_TRUE(WriteText(HKEY_CLASSES_ROOT, key, nullptr, L"IDTExtensibility2"));
    ASSERT_TRUE(WriteText(HKEY_CLASSES_ROOT, key + L"\\TypeLib", nullptr, DesignerLibrary));
    ASSERT_TRUE(WriteText(HKEY_CLASSES_ROOT, key + L"\\TypeLib", L"Version", L"1.0"));

    ASSERT_EQ(m_addIn.Register(), S_OK);
    EXPECT_EQ(ReadText(HKEY_CLASSES_ROOT, key + L"\\TypeLib", nullptr), DesignerLibrary);
    ASSERT_EQ(m_addIn.Unregister(), S_OK);
    EXPECT_EQ(ReadText(HKEY_CLASSES_ROOT, key + L"\\TypeLib", nullptr), DesignerLibrary);
    EXPECT_EQ(ReadText(HKEY_CLASSES_ROOT, key, nullptr), L"IDTExtensibility2"s);
    com::RegistryKeyHandle::DeleteTree(HKEY_CLASSES_ROOT, key.c_str());
}

}  // namespace
}  // namespace telvane::win32::test
