#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace telvane::memory {

// One key of the in-memory registry: its values and subkeys. Names compare without regard to
// case and keep the case they were first written with; both lists stay sorted by name, as the
// registry the product runs on enumerates them.
class MemoryKey {
public:
    struct Value {
        std::string name;
        std::uint32_t type = 0;
        std::vector<std::uint8_t> data;
    };

    explicit MemoryKey(std::string name) : m_name(std::move(name)) {}

    const std::string& Name() const { return m_name; }

    // A deleted key stays alive while handles to it are open; every use of them then fails.
    bool IsDeleted() const { return m_deleted; }

    const std::vector<std::shared_ptr<MemoryKey>>& SubKeys() const { return m_subKeys; }
    std::shared_ptr<MemoryKey> FindSubKey(std::string_view name) const;
    // Returns the existing subkey of that name, or a new one.
    std::shared_ptr<MemoryKey> AddSubKey(std::string_view name, bool* created = nullptr);
    // Marks the subkey and everything below it deleted and unlinks it.
    void RemoveSubKey(std::string_view name);

    const std::vector<Value>& Values() const { return m_values; }
    const Value* FindValue(std::string_view name) const;
    void SetValue(std::string_view name, std::uint32_t type, std::vector<std::uint8_t> data);
    bool RemoveValue(std::string_view name);

    // Drops every value and subkey, marking the subkeys deleted.
    void Clear();

    static bool NamesEqual(std::string_view a, std::string_view b);
    static bool NameLess(std::string_view a, std::string_view b);

private:
    void MarkDeleted();

    std::string m_name;
    bool m_deleted = false;
    std::vector<Value> m_values;
    std::vector<std::shared_ptr<MemoryKey>> m_subKeys;
};

}  // namespace telvane::memory
