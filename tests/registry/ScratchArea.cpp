#include "tests/registry/ScratchArea.h"

#include <gtest/gtest.h>

#include <cstring>

namespace telvane {

std::vector<std::uint8_t> Bytes(std::string_view text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

ScratchArea::ScratchArea(RegistryApi& api, RegistryApi::Key root) : m_api(api), m_root(root) {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    m_path = std::string("Software\\TelvaneTests\\") + test->test_suite_name() + "." + test->name();
    DeleteTree(m_api, m_root, m_path);
    EXPECT_EQ(CreateKey(""), RegistryApi::Success) << "cannot create " << m_path;
}

ScratchArea::~ScratchArea() {
    DeleteTree(m_api, m_root, m_path);
    RegistryApi::Key parent = 0;
    if (m_api.RegOpenKeyExA(m_root, "Software\\TelvaneTests", 0, RegistryApi::KeyEnumerateSubKeys,
                            &parent) == RegistryApi::Success) {
        char name[256];
        bool empty = m_api.RegEnumKeyA(parent, 0, name, sizeof name) == RegistryApi::NoMoreItems;
        m_api.RegCloseKey(parent);
        if (empty)
            m_api.RegDeleteKeyA(m_root, "Software\\TelvaneTests");
    }
}

std::string ScratchArea::Below(const std::string& relative) const {
    return relative.empty() ? m_path : m_path + "\\" + relative;
}

ScratchArea::Stored ScratchArea::Read(const std::string& relative, const std::string& name) const {
    Stored stored;
    RegistryApi::Key key = 0;
    stored.result =
        m_api.RegOpenKeyExA(m_root, Below(relative), 0, RegistryApi::KeyQueryValue, &key);
    if (stored.result != RegistryApi::Success)
        return stored;
    std::uint32_t size = 0;
    stored.result = m_api.RegQueryValueExA(key, name, &stored.type, nullptr, &size);
    if (stored.result == RegistryApi::Success) {
        stored.data.resize(size);
        stored.result = m_api.RegQueryValueExA(key, name, &stored.type, stored.data.data(), &size);
        stored.data.resize(size);
    }
    m_api.RegCloseKey(key);
    return stored;
}

long ScratchArea::Write(const std::string& relative, const std::string& name, std::uint32_t type,
                        const std::vector<std::uint8_t>& data) const {
    RegistryApi::Key key = 0;
    long result =
        m_api.RegCreateKeyExA(m_root, Below(relative), RegistryApi::KeyWriteAll, &key, nullptr);
    if (result != RegistryApi::Success)
        return result;
    std::vector<std::uint8_t> guarded = data;
    guarded.push_back('X');
    result = m_api.RegSetValueExA(key, name, type, guarded.data(),
                                  static_cast<std::uint32_t>(data.size()));
    m_api.RegCloseKey(key);
    return result;
}

bool ScratchArea::Exists(const std::string& relative) const {
    RegistryApi::Key key = 0;
    if (m_api.RegOpenKeyExA(m_root, Below(relative), 0, RegistryApi::KeyQueryValue, &key) !=
        RegistryApi::Success) {
        return false;
    }
    m_api.RegCloseKey(key);
    return true;
}

long ScratchArea::CreateKey(const std::string& relative) const {
    RegistryApi::Key key = 0;
    long result =
        m_api.RegCreateKeyExA(m_root, Below(relative), RegistryApi::KeyWriteAll, &key, nullptr);
    if (result == RegistryApi::Success)
        m_api.RegCloseKey(key);
    return result;
}

long ScratchArea::DeleteTree(RegistryApi& api, RegistryApi::Key root, const std::string& path) {
    // Relative to open handles all the way down, since full paths of deep keys can outgrow
    // what the ANSI functions take.
    RegistryApi::Key key = 0;
    long result = api.RegOpenKeyExA(root, path, 0, RegistryApi::KeyEnumerateSubKeys, &key);
    if (result != RegistryApi::Success)
        return result;
    char name[1024];
    while (api.RegEnumKeyA(key, 0, name, sizeof name) == RegistryApi::Success &&
           DeleteTree(api, key, name) == RegistryApi::Success) {
    }
    api.RegCloseKey(key);
    return api.RegDeleteKeyA(root, path);
}

}  // namespace telvane
