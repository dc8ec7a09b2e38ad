// DllGetClassObject, the class factories and DllCanUnloadNow of both DLLs, loaded directly.
#include <gtest/gtest.h>

#include "Telvane.h"
#include "TelvanePPE.h"
#include "platform/win32/com/Bstr.h"
#include "platform/win32/com/ComPtr.h"
#include "platform/win32/com/GuidText.h"
#include "platform/win32/com/TextConversion.h"
#include "tests/win32/ComApartment.h"
#include "tests/win32/ServerDll.h"

namespace telvane::win32::test {
namespace {

// {5E3F0E11-6B8C-4F6B-9A57-3D7C4A1B2C3D}: no class or interface of either DLL.
constexpr GUID Unknown = {
    0x5E3F0E11, 0x6B8C, 0x4F6B, {0x9A, 0x57, 0x3D, 0x7C, 0x4A, 0x1B, 0x2C, 0x3D}};

struct ClassCase {
    const wchar_t* dll;
    const char* name;
    CLSID clsid;
    friend void PrintTo(const ClassCase& c, std::ostream* out) { *out << c.name; }
};

class ClassFactoryTest : public ::testing::TestWithParam<ClassCase> {
protected:
    ComPtr<IClassFactory> Factory() {
        ComPtr<IClassFactory> factory;
        EXPECT_EQ(m_dll.GetClassObject(GetParam().clsid, IID_IClassFactory, factory.PutVoid()),
                  S_OK);
        return factory;
    }

    ComApartment m_apartment;
    ServerDll m_dll{GetParam().dll};
};

TEST_P(ClassFactoryTest, FactoryCreatesTheClassWithItsClassInfo) {
    ComPtr<IClassFactory> factory = Factory();
    ASSERT_TRUE(factory);
    ComPtr<IProvideClassInfo> object;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IProvideClassInfo, object.PutVoid()), S_OK);
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(object->GetClassInfo(info.Put()), S_OK);
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attributes), S_OK);
    EXPECT_EQ(com::Utf8FromWide(com::GuidText(attributes->guid)),
              com::Utf8FromWide(com::GuidText(GetParam().clsid)));
    EXPECT_EQ(attributes->typekind, TKIND_COCLASS);
    info->ReleaseTypeAttr(attributes);
}

TEST_P(ClassFactoryTest, ObjectAnswersIDispatchWithItsDefaultInterface) {
    ComPtr<IClassFactory> factory = Factory();
    ASSERT_TRUE(factory);
    ComPtr<IDispatch> object;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, object.PutVoid()), S_OK);
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(object->GetTypeInfo(0, 0, info.Put()), S_OK);
    com::Bstr name;
    info->GetDocumentation(MEMBERID_NIL, name.Put(), nullptr, nullptr, nullptr);
    EXPECT_EQ(name.Utf8(), std::string("_") + GetParam().name);
}

TEST_P(ClassFactoryTest, AggregationIsRefused) {
    ComPtr<IClassFactory> factory = Factory();
    ASSERT_TRUE(factory);
    ComApartment* outer = &m_apartment;  // any non-null controlling unknown
    void* object = &outer;
    EXPECT_EQ(factory->CreateInstance(reinterpret_cast<IUnknown*>(outer), IID_IUnknown, &object),
              CLASS_E_NOAGGREGATION);
    EXPECT_EQ(object, nullptr);
}

TEST_P(ClassFactoryTest, UnknownInterfaceIsRefusedAndNothingIsKept) {
    ComPtr<IClassFactory> factory = Factory();
    ASSERT_TRUE(factory);
    void* object = &factory;
    EXPECT_EQ(factory->CreateInstance(nullptr, Unknown, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    factory.Reset();
    EXPECT_EQ(m_dll.CanUnloadNow(), S_OK);
}

TEST_P(ClassFactoryTest, DllStaysLoadedWhileAnythingOfItIsHeld) {
    ASSERT_EQ(m_dll.CanUnloadNow(), S_OK);
    ComPtr<IClassFactory> factory = Factory();
    ASSERT_TRUE(factory);
    EXPECT_EQ(m_dll.CanUnloadNow(), S_FALSE) << "while a factory is held";

    ComPtr<IUnknown> object;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, object.PutVoid()), S_OK);
    ASSERT_EQ(factory->LockServer(TRUE), S_OK);
    factory.Reset();
    EXPECT_EQ(m_dll.CanUnloadNow(), S_FALSE) << "while an object is held and the server locked";

    object.Reset();
    EXPECT_EQ(m_dll.CanUnloadNow(), S_FALSE) << "while the server is locked";

    ASSERT_EQ(m_dll.GetClassObject(GetParam().clsid, IID_IClassFactory, factory.PutVoid()), S_OK);
    ASSERT_EQ(factory->LockServer(FALSE), S_OK);
    factory.Reset();
    EXPECT_EQ(m_dll.CanUnloadNow(), S_OK) << "once everything is released";
}

TEST_P(ClassFactoryTest, ClassOfTheOtherDllIsNotAvailable) {
    const CLSID other =
        GetParam().dll == ServerDll::AddIn ? __uuidof(::TelvanePage) : __uuidof(::TLConnect);
    for (const CLSID& clsid : {other, Unknown}) {
        int sentinel = 0;
        void* object = &sentinel;
        EXPECT_EQ(m_dll.GetClassObject(clsid, IID_IClassFactory, &object),
                  CLASS_E_CLASSNOTAVAILABLE);
        EXPECT_EQ(object, nullptr);
    }
}

INSTANTIATE_TEST_SUITE_P(
    EveryClass, ClassFactoryTest,
    ::testing::Values(ClassCase{ServerDll::AddIn, "TLConnect", __uuidof(::TLConnect)},
                      ClassCase{ServerDll::AddIn, "TelvaneAddIn", __uuidof(::TelvaneAddIn)},
                      ClassCase{ServerDll::Page, "TelvanePage", __uuidof(::TelvanePage)}));

}  // namespace
}  // namespace telvane::win32::test
