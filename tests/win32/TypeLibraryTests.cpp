// The type libraries embedded in the DLLs, read back as the mail client and Visual Basic see
// them: identity, the types with their identifiers and flags, members with their DISPIDs and
// vtable slots, and what each class implements.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/win32/com/Bstr.h"
#include "platform/win32/com/ComPtr.h"
#include "platform/win32/com/GuidText.h"
#include "platform/win32/com/TextConversion.h"
#include "tests/win32/ServerDll.h"

namespace telvane::win32::test {
namespace {

using com::Bstr;

ComPtr<ITypeLib> LoadFrom(const wchar_t* dll) {
    ComPtr<ITypeLib> library;
    const HRESULT hr =
        ::LoadTypeLibEx(ServerDll::BesideTest(dll).c_str(), REGKIND_NONE, library.Put());
    EXPECT_EQ(hr, S_OK) << "LoadTypeLibEx " << com::Utf8FromWide(dll);
    return library;
}

std::string NameOf(ITypeInfo* info, MEMBERID member = MEMBERID_NIL) {
    Bstr name;
    info->GetDocumentation(member, name.Put(), nullptr, nullptr, nullptr);
    return name.Utf8();
}

ComPtr<ITypeInfo> FindType(ITypeLib* library, const std::string& name) {
    for (UINT i = 0; i < library->GetTypeInfoCount(); ++i) {
        ComPtr<ITypeInfo> info;
        if (SUCCEEDED(library->GetTypeInfo(i, info.Put())) && NameOf(info.Get()) == name) {
            return info;
        }
    }
    return {};
}

// The attributes of a type, copied out of the TYPEATTR.
struct Attributes {
    TYPEKIND kind;
    WORD flags;
    std::string guid;
    WORD functions;
    WORD implemented;
};

Attributes AttributesOf(ITypeInfo* info) {
    TYPEATTR* attributes = nullptr;
    EXPECT_EQ(info->GetTypeAttr(&attributes), S_OK);
    Attributes result{attributes->typekind, attributes->wTypeFlags,
                      com::Utf8FromWide(com::GuidText(attributes->guid)), attributes->cFuncs,
                      attributes->cImplTypes};
    info->ReleaseTypeAttr(attributes);
    return result;
}

// The vtable half of a dual interface, or the type itself.
ComPtr<ITypeInfo> VtableHalf(ITypeInfo* info) {
    ComPtr<ITypeInfo> result(info);
    HREFTYPE vtable = 0;
    if (SUCCEEDED(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtable))) {
        info->GetRefTypeInfo(vtable, result.Put());
    }
    return result;
}

struct LibraryCase {
    const wchar_t* dll;
    const char* name;
    const char* help;
    friend void PrintTo(const LibraryCase& c, std::ostream* out) { *out << c.name; }
};

class TypeLibraryIdentityTest : public ::testing::TestWithParam<LibraryCase> {};

TEST_P(TypeLibraryIdentityTest, NameVersionAndHelpText) {
    const LibraryCase& c = GetParam();
    ComPtr<ITypeLib> library = LoadFrom(c.dll);
    ASSERT_TRUE(library);
    Bstr name;
    Bstr help;
    ASSERT_EQ(library->GetDocumentation(-1, name.Put(), help.Put(), nullptr, nullptr), S_OK);
    EXPECT_EQ(name.Utf8(), c.name);
    EXPECT_EQ(help.Utf8(), c.help);
    TLIBATTR* attributes = nullptr;
    ASSERT_EQ(library->GetLibAttr(&attributes), S_OK);
    EXPECT_EQ(attributes->wMajorVerNum, 1);
    EXPECT_EQ(attributes->wMinorVerNum, 0);
    library->ReleaseTLibAttr(attributes);
}

INSTANTIATE_TEST_SUITE_P(BothDlls, TypeLibraryIdentityTest,
                         ::testing::Values(LibraryCase{ServerDll::AddIn, "Telvane",
                                                       "Telvane for Outlook"},
                                           LibraryCase{ServerDll::Page, "TelvanePPE", "Telvane"}));

struct TypeCase {
    const wchar_t* dll;
    const char* name;
    TYPEKIND kind;
    WORD flags;
    const char* guid;  // null: the library's own choice, checked elsewhere by what refers to it
    friend void PrintTo(const TypeCase& c, std::ostream* out) { *out << c.name; }
};

class TypeLibraryTypeTest : public ::testing::TestWithParam<TypeCase> {};

// Dual interfaces are checked by their vtable half, which RegisterTypeLib and the marshaler
// read. (widl leaves FOLEAUTOMATION off the dispatch half, where MIDL also sets it.)
TEST_P(TypeLibraryTypeTest, TypeHasItsKindFlagsAndIdentifier) {
    const TypeCase& c = GetParam();
    ComPtr<ITypeLib> library = LoadFrom(c.dll);
    ASSERT_TRUE(library);
    ComPtr<ITypeInfo> info = FindType(library.Get(), c.name);
    ASSERT_TRUE(info) << c.name << " is missing";
    const Attributes attributes = AttributesOf(VtableHalf(info.Get()).Get());
    EXPECT_EQ(attributes.kind, c.kind);
    EXPECT_EQ(attributes.flags, c.flags) << std::hex << "flags 0x" << attributes.flags;
    if (c.guid) {
        EXPECT_EQ(attributes.guid, c.guid);
    }
}

constexpr WORD Dual = TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FDISPATCHABLE;
constexpr WORD OwnDual = Dual | TYPEFLAG_FHIDDEN | TYPEFLAG_FNONEXTENSIBLE;

INSTANTIATE_TEST_SUITE_P(
    BothDlls, TypeLibraryTypeTest,
    ::testing::Values(
        TypeCase{ServerDll::AddIn, "_IDTExtensibility2", TKIND_INTERFACE, Dual | TYPEFLAG_FHIDDEN,
                 "{B65AD801-ABAF-11D0-BB8B-00A0C90F2744}"},
        TypeCase{ServerDll::AddIn, "ext_ConnectMode", TKIND_ENUM, 0,
                 "{289E9AF1-4973-11D1-AE81-00A0C90F26F4}"},
        TypeCase{ServerDll::AddIn, "ext_DisconnectMode", TKIND_ENUM, 0,
                 "{289E9AF2-4973-11D1-AE81-00A0C90F26F4}"},
        TypeCase{ServerDll::AddIn, "_TLConnect", TKIND_INTERFACE, OwnDual, nullptr},
        TypeCase{ServerDll::AddIn, "TLConnect", TKIND_COCLASS, TYPEFLAG_FCANCREATE, nullptr},
        TypeCase{ServerDll::AddIn, "_TelvaneAddIn", TKIND_INTERFACE, OwnDual, nullptr},
        TypeCase{ServerDll::AddIn, "TelvaneAddIn", TKIND_COCLASS, TYPEFLAG_FCANCREATE, nullptr},
        // The mail client's own page interface: a vtable interface, not dual.
        TypeCase{ServerDll::Page, "PropertyPage", TKIND_INTERFACE, TYPEFLAG_FDISPATCHABLE,
                 "{0006307E-0000-0000-C000-000000000046}"},
        TypeCase{ServerDll::Page, "_TelvanePage", TKIND_INTERFACE, OwnDual, nullptr},
        TypeCase{ServerDll::Page, "__TelvanePage", TKIND_DISPATCH,
                 TYPEFLAG_FHIDDEN | TYPEFLAG_FDISPATCHABLE, nullptr},
        TypeCase{ServerDll::Page, "TelvanePage", TKIND_COCLASS,
                 TYPEFLAG_FCANCREATE | TYPEFLAG_FCONTROL, nullptr}));

struct DualCase {
    const wchar_t* dll;
    const char* name;
    friend void PrintTo(const DualCase& c, std::ostream* out) { *out << c.name; }
};

class TypeLibraryDualTest : public ::testing::TestWithParam<DualCase> {};

TEST_P(TypeLibraryDualTest, DualInterfaceIsListedAsItsDispatchHalf) {
    ComPtr<ITypeLib> library = LoadFrom(GetParam().dll);
    ASSERT_TRUE(library);
    ComPtr<ITypeInfo> info = FindType(library.Get(), GetParam().name);
    ASSERT_TRUE(info);
    const Attributes attributes = AttributesOf(info.Get());
    EXPECT_EQ(attributes.kind, TKIND_DISPATCH);
    EXPECT_NE(attributes.flags & TYPEFLAG_FDUAL, 0) << std::hex << "flags 0x" << attributes.flags;
}

INSTANTIATE_TEST_SUITE_P(BothDlls, TypeLibraryDualTest,
                         ::testing::Values(DualCase{ServerDll::AddIn, "_IDTExtensibility2"},
                                           DualCase{ServerDll::AddIn, "_TLConnect"},
                                           DualCase{ServerDll::AddIn, "_TelvaneAddIn"},
                                           DualCase{ServerDll::Page, "_TelvanePage"}));

struct MemberCase {
    const wchar_t* dll;
    const char* type;
    const char* member;
    MEMBERID id;
    int slot;  // in the vtable, counting IUnknown's and IDispatch's seven
    INVOKEKIND invoke;
    friend void PrintTo(const MemberCase& c, std::ostream* out) {
        *out << c.type << "." << c.member;
    }
};

class TypeLibraryMemberTest : public ::testing::TestWithParam<MemberCase> {};

TEST_P(TypeLibraryMemberTest, MemberHasItsDispidAndVtableSlot) {
    const MemberCase& c = GetParam();
    ComPtr<ITypeLib> library = LoadFrom(c.dll);
    ASSERT_TRUE(library);
    ComPtr<ITypeInfo> type = FindType(library.Get(), c.type);
    ASSERT_TRUE(type) << c.type << " is missing";
    ComPtr<ITypeInfo> vtable = VtableHalf(type.Get());
    const Attributes attributes = AttributesOf(vtable.Get());
    for (UINT i = 0; i < attributes.functions; ++i) {
        FUNCDESC* function = nullptr;
        ASSERT_EQ(vtable->GetFuncDesc(i, &function), S_OK);
        const MEMBERID id = function->memid;
        const int slot = function->oVft / static_cast<int>(sizeof(void*));
        const INVOKEKIND invoke = function->invkind;
        vtable->ReleaseFuncDesc(function);
        if (NameOf(vtable.Get(), id) != c.member)
            continue;
        EXPECT_EQ(id, c.id) << std::hex << "DISPID 0x" << id;
        EXPECT_EQ(slot, c.slot);
        EXPECT_EQ(invoke, c.invoke);
        return;
    }
    FAIL() << c.member << " is missing from " << c.type;
}

INSTANTIATE_TEST_SUITE_P(
    BothDlls, TypeLibraryMemberTest,
    ::testing::Values(
        MemberCase{ServerDll::AddIn, "_IDTExtensibility2", "OnConnection", 1, 7, INVOKE_FUNC},
        MemberCase{ServerDll::AddIn, "_IDTExtensibility2", "OnDisconnection", 2, 8, INVOKE_FUNC},
        MemberCase{ServerDll::AddIn, "_IDTExtensibility2", "OnAddInsUpdate", 3, 9, INVOKE_FUNC},
        MemberCase{ServerDll::AddIn, "_IDTExtensibility2", "OnStartupComplete", 4, 10, INVOKE_FUNC},
        MemberCase{ServerDll::AddIn, "_IDTExtensibility2", "OnBeginShutdown", 5, 11, INVOKE_FUNC},
        MemberCase{ServerDll::Page, "PropertyPage", "GetPageInfo", 0x2100, 7, INVOKE_FUNC},
        MemberCase{ServerDll::Page, "PropertyPage", "Dirty", 0x2101, 8, INVOKE_PROPERTYGET},
        MemberCase{ServerDll::Page, "PropertyPage", "Apply", 0x2102, 9, INVOKE_FUNC}));

struct EmptyCase {
    const wchar_t* dll;
    const char* type;
    friend void PrintTo(const EmptyCase& c, std::ostream* out) { *out << c.type; }
};

class TypeLibraryEmptyInterfaceTest : public ::testing::TestWithParam<EmptyCase> {};

TEST_P(TypeLibraryEmptyInterfaceTest, DefaultInterfaceHasNoMembersOfItsOwn) {
    ComPtr<ITypeLib> library = LoadFrom(GetParam().dll);
    ASSERT_TRUE(library);
    ComPtr<ITypeInfo> type = FindType(library.Get(), GetParam().type);
    ASSERT_TRUE(type);
    EXPECT_EQ(AttributesOf(VtableHalf(type.Get()).Get()).functions, 0);
}

INSTANTIATE_TEST_SUITE_P(BothDlls, TypeLibraryEmptyInterfaceTest,
                         ::testing::Values(EmptyCase{ServerDll::AddIn, "_TLConnect"},
                                           EmptyCase{ServerDll::AddIn, "_TelvaneAddIn"},
                                           EmptyCase{ServerDll::Page, "_TelvanePage"},
                                           EmptyCase{ServerDll::Page, "__TelvanePage"}));

struct ImplementsCase {
    const wchar_t* dll;
    const char* coclass;
    UINT index;
    const char* interfaceName;
    int flags;
    friend void PrintTo(const ImplementsCase& c, std::ostream* out) {
        *out << c.coclass << " " << c.interfaceName;
    }
};

class TypeLibraryCoclassTest : public ::testing::TestWithParam<ImplementsCase> {};

TEST_P(TypeLibraryCoclassTest, ClassImplementsTheInterface) {
    const ImplementsCase& c = GetParam();
    ComPtr<ITypeLib> library = LoadFrom(c.dll);
    ASSERT_TRUE(library);
    ComPtr<ITypeInfo> coclass = FindType(library.Get(), c.coclass);
    ASSERT_TRUE(coclass);
    HREFTYPE reference = 0;
    ASSERT_EQ(coclass->GetRefTypeOfImplType(c.index, &reference), S_OK);
    ComPtr<ITypeInfo> implemented;
    ASSERT_EQ(coclass->GetRefTypeInfo(reference, implemented.Put()), S_OK);
    EXPECT_EQ(NameOf(implemented.Get()), c.interfaceName);
    INT flags = 0;
    ASSERT_EQ(coclass->GetImplTypeFlags(c.index, &flags), S_OK);
    EXPECT_EQ(flags, c.flags);
}

INSTANTIATE_TEST_SUITE_P(
    BothDlls, TypeLibraryCoclassTest,
    ::testing::Values(
        ImplementsCase{ServerDll::AddIn, "TLConnect", 0, "_TLConnect", IMPLTYPEFLAG_FDEFAULT},
        ImplementsCase{ServerDll::AddIn, "TLConnect", 1, "_IDTExtensibility2", 0},
        ImplementsCase{ServerDll::AddIn, "TelvaneAddIn", 0, "_TelvaneAddIn", IMPLTYPEFLAG_FDEFAULT},
        ImplementsCase{ServerDll::Page, "TelvanePage", 0, "_TelvanePage", IMPLTYPEFLAG_FDEFAULT},
        ImplementsCase{ServerDll::Page, "TelvanePage", 1, "PropertyPage", 0},
        ImplementsCase{ServerDll::Page, "TelvanePage", 2, "__TelvanePage",
                       IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE}));

TEST(TypeLibraryImportTest, DispatchComesFromTheStandardAutomationLibrary) {
    ComPtr<ITypeLib> library = LoadFrom(ServerDll::AddIn);
    ASSERT_TRUE(library);
    ComPtr<ITypeInfo> vtable = VtableHalf(FindType(library.Get(), "_TLConnect").Get());
    HREFTYPE reference = 0;
    ASSERT_EQ(vtable->GetRefTypeOfImplType(0, &reference), S_OK);
    ComPtr<ITypeInfo> base;
    ASSERT_EQ(vtable->GetRefTypeInfo(reference, base.Put()), S_OK);
    EXPECT_EQ(NameOf(base.Get()), "IDispatch");
    ComPtr<ITypeLib> baseLibrary;
    UINT index = 0;
    ASSERT_EQ(base->GetContainingTypeLib(baseLibrary.Put(), &index), S_OK);
    Bstr name;
    baseLibrary->GetDocumentation(-1, name.Put(), nullptr, nullptr, nullptr);
    EXPECT_EQ(name.Utf8(), "stdole");
}

}  // namespace
}  // namespace telvane::win32::test
