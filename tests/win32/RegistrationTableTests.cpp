// The registration routine on tables chosen here: what it writes, what it removes, and the
// HRESULT a failure gives DllRegisterServer. The test program carries a type library of its
// own, so ServerRegistration runs as it does inside a server.
#include <gtest/gtest.h>

#include <olectl.h>

#include "platform/win32/com/ComPtr.h"
#include "platform/win32/com/GuidText.h"
#include "platform/win32/com/RegistrationTable.h"
#include "platform/win32/com/RegistryKeyHandle.h"
#include "platform/win32/com/ServerRegistration.h"
#include "platform/win32/com/TextConversion.h"
#include "tests/win32/RegistryReader.h"

namespace telvane::win32::test {
namespace {

using namespace std::string_literals;

using com::RegistrationTable;

const std::wstring Scratch = L"Software\\TelvaneTests\\RegistrationTable";
const std::wstring ProbeLibrary = L"TypeLib\\{8CAC5CB3-3CA2-490C-A3AC-B0ED6A05F55D}";

class RegistrationTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        com::RegistryKeyHandle::DeleteTree(HKEY_CURRENT_USER, Scratch.c_str());
    }
    void TearDown() override {
        com::RegistryKeyHandle::DeleteTree(HKEY_CURRENT_USER, Scratch.c_str());
        ::RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\TelvaneTests");
    }

    static RegistrationTable Table(const std::wstring& below = L"") {
        const HKEY user = HKEY_CURRENT_USER;
        const std::wstring shared = Scratch + below + L"\\Shared";
        const std::wstring owned = shared + L"\\Owned";
        return RegistrationTable({
            RegistrationTable::ParentKey(user, shared),
            RegistrationTable::OwnedKey(user, owned),
            RegistrationTable::Text(user, owned, L"", L"default"),
            RegistrationTable::Text(user, owned + L"\\Sub", L"Name", L"text"),
            RegistrationTable::Number(user, owned, L"Number", 3),
            RegistrationTable::Text(user, shared, L"InShared", L"mine"),
        });
    }
};

TEST_F(RegistrationTableTest, WritesEveryKeyAndValue) {
    ASSERT_EQ(Table().Write(), ERROR_SUCCESS);
    const std::wstring owned = Scratch + L"\\Shared\\Owned";
    EXPECT_EQ(ReadText(HKEY_CURRENT_USER, owned, nullptr), L"default"s);
    EXPECT_EQ(ReadText(HKEY_CURRENT_USER, owned + L"\\Sub", L"Name"), L"text"s);
    EXPECT_EQ(ReadNumber(HKEY_CURRENT_USER, owned, L"Number"), 3u);
    EXPECT_EQ(ReadText(HKEY_CURRENT_USER, Scratch + L"\\Shared", L"InShared"), L"mine"s);
}

TEST_F(RegistrationTableTest, WritingAgainReplacesWhatOthersLeftInOwnedKeys) {
    ASSERT_EQ(Table().Write(), ERROR_SUCCESS);
    const auto once = Snapshot(HKEY_CURRENT_USER, Scratch);
    ASSERT_TRUE(WriteText(HKEY_CURRENT_USER, Scratch + L"\\Shared\\Owned\\Stale", L"x", L"y"));
    ASSERT_EQ(Table().Write(), ERROR_SUCCESS);
    EXPECT_EQ(Snapshot(HKEY_CURRENT_USER, Scratch), once);
}

TEST_F(RegistrationTableTest, RemovingTakesEverythingAndAgainIsHarmless) {
    ASSERT_EQ(Table().Write(), ERROR_SUCCESS);
    EXPECT_EQ(Table().Remove(), ERROR_SUCCESS);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Scratch + L"\\Shared"));
    EXPECT_EQ(Table().Remove(), ERROR_SUCCESS);
}

TEST_F(RegistrationTableTest, ParentKeyStaysWhileSomethingElseIsInIt) {
    ASSERT_EQ(Table().Write(), ERROR_SUCCESS);
    ASSERT_TRUE(WriteText(HKEY_CURRENT_USER, Scratch + L"\\Shared\\Theirs", nullptr, L"x"));
    EXPECT_EQ(Table().Remove(), ERROR_SUCCESS);
    EXPECT_EQ(SubKeyNames(HKEY_CURRENT_USER, Scratch + L"\\Shared"),
              std::set<std::wstring>{L"Theirs"});
    EXPECT_EQ(ReadText(HKEY_CURRENT_USER, Scratch + L"\\Shared", L"InShared"), std::nullopt);
}

// A key that cannot be created: a volatile key takes no lasting subkeys. Its parent is made an
// ordinary key first, since RegCreateKeyExW would make every missing key on the way volatile,
// and the other suites' scratch keys below Software\TelvaneTests could then not be created.
// Removed again at the end.
class VolatileKey {
public:
    VolatileKey(HKEY root, const std::wstring& parent, const std::wstring& name)
        : m_root(root), m_path(parent + L"\\" + name) {
        const com::RegistryKeyHandle lasting = com::RegistryKeyHandle::Create(root, parent.c_str());
        HKEY key = nullptr;
        if (lasting) {
            ::RegCreateKeyExW(lasting.Get(), name.c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr);
        }
        m_key = com::RegistryKeyHandle(key);
    }
    VolatileKey(const VolatileKey&) = delete;
    VolatileKey& operator=(const VolatileKey&) = delete;
    ~VolatileKey() {
        m_key = com::RegistryKeyHandle();
        com::RegistryKeyHandle::DeleteTree(m_root, m_path.c_str());
    }
    explicit operator bool() const { return static_cast<bool>(m_key); }

private:
    HKEY m_root;
    std::wstring m_path;
    com::RegistryKeyHandle m_key;
};

TEST_F(RegistrationTableTest, KeyThatCannotBeWrittenFailsWithThePlatformsCode) {
    VolatileKey volatileKey(HKEY_CURRENT_USER, Scratch, L"Volatile");
    ASSERT_TRUE(volatileKey);
    EXPECT_EQ(Table(L"\\Volatile").Write(), ERROR_CHILD_MUST_BE_VOLATILE);
}

com::RegistrationTable WritableTable(const std::wstring&, const std::wstring& library) {
    const std::wstring owned = Scratch + L"\\Shared\\Owned";
    return RegistrationTable({
        RegistrationTable::OwnedKey(HKEY_CURRENT_USER, owned),
        RegistrationTable::Text(HKEY_CURRENT_USER, owned, L"TypeLib", library),
    });
}

com::RegistrationTable UnwritableTable(const std::wstring&, const std::wstring&) {
    return RegistrationTable({
        RegistrationTable::OwnedKey(HKEY_CURRENT_USER, Scratch + L"\\Volatile\\Owned"),
    });
}

TEST_F(RegistrationTableTest, ServerRegistrationWritesTheTypeLibraryAndTheTable) {
    ASSERT_EQ(com::ServerRegistration::Register(WritableTable), S_OK);
    EXPECT_EQ(ReadText(HKEY_CURRENT_USER, Scratch + L"\\Shared\\Owned", L"TypeLib"),
              L"{8CAC5CB3-3CA2-490C-A3AC-B0ED6A05F55D}"s);
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, ProbeLibrary));

    EXPECT_EQ(com::ServerRegistration::Unregister(WritableTable), S_OK);
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, ProbeLibrary));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Scratch + L"\\Shared\\Owned"));
    EXPECT_EQ(com::ServerRegistration::Unregister(WritableTable), S_OK) << "a second time";
}

// What RegisterTypeLib itself answers for the probe library, registered from this program.
HRESULT PlatformRegisterTypeLib() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    ComPtr<ITypeLib> library;
    HRESULT hr = ::LoadTypeLibEx(path, REGKIND_NONE, library.Put());
    if (SUCCEEDED(hr))
        hr = ::RegisterTypeLib(library.Get(), path, nullptr);
    return hr;
}

TEST_F(RegistrationTableTest, RegistrationThatCannotBeWrittenAnswersThePlatformsCode) {
    {
        SCOPED_TRACE("a class key");
        VolatileKey volatileKey(HKEY_CURRENT_USER, Scratch, L"Volatile");
        ASSERT_TRUE(volatileKey);
        EXPECT_EQ(com::ServerRegistration::Register(UnwritableTable),
                  HRESULT_FROM_WIN32(ERROR_CHILD_MUST_BE_VOLATILE));
        EXPECT_EQ(com::ServerRegistration::Unregister(WritableTable), S_OK);
        EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, ProbeLibrary));
    }
    {
        SCOPED_TRACE("the type library's key");
        VolatileKey volatileKey(HKEY_CLASSES_ROOT, L"TypeLib", ProbeLibrary.substr(8));
        ASSERT_TRUE(volatileKey);
        const HRESULT platform = PlatformRegisterTypeLib();
        ASSERT_TRUE(FAILED(platform));
        EXPECT_EQ(com::ServerRegistration::Register(WritableTable), platform);
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Scratch + L"\\Shared\\Owned"))
            << "nothing of the table is written after the type library failed";
    }
}

}  // namespace
}  // namespace telvane::win32::test
