#include "platform/memory/registry/MemoryKey.h"

#include <algorithm>
#include <cctype>

namespace telvane::memory {
namespace {

// The registry folds case with the invariant upper-case table; for the ANSI texts the product
// uses, folding ASCII letters is the same thing.
int Fold(char c) {
    return std::toupper(static_cast<unsigned char>(c));
}

template <class List, class NameOf>
auto LowerBound(List& list, std::string_view name, NameOf nameOf) {
    return std::lower_bound(list.begin(), list.end(), name, [&](const auto& item, auto key) {
        return MemoryKey::NameLess(nameOf(item), key);
    });
}

const std::string& KeyName(const std::shared_ptr<MemoryKey>& key) {
    return key->Name();
}
const std::string& ValueName(const MemoryKey::Value& value) {
    return value.name;
}

}  // namespace

bool MemoryKey::NamesEqual(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Fold(x) == Fold(y); });
}

bool MemoryKey::NameLess(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return Fold(x) < Fold(y); });
}

std::shared_ptr<MemoryKey> MemoryKey::FindSubKey(std::string_view name) const {
    auto it = LowerBound(m_subKeys, name, KeyName);
    if (it != m_subKeys.end() && NamesEqual((*it)->Name(), name))
        return *it;
    return nullptr;
}

std::shared_ptr<MemoryKey> MemoryKey::AddSubKey(std::string_view name, bool* created) {
    auto it = LowerBound(m_subKeys, name, KeyName);
    bool exists = it != m_subKeys.end() && NamesEqual((*it)->Name(), name);
    if (created)
        *created = !exists;
    if (exists)
        return *it;
    return *m_subKeys.insert(it, std::make_shared<MemoryKey>(std::string(name)));
}

void MemoryKey::RemoveSubKey(std::string_view name) {
    auto it = LowerBound(m_subKeys, name, KeyName);
    if (it == m_subKeys.end() || !NamesEqual((*it)->Name(), name))
        return;
    (*it)->MarkDeleted();
    m_subKeys.erase(it);
}

const MemoryKey::Value* MemoryKey::FindValue(std::string_view name) const {
    auto it = LowerBound(m_values, name, ValueName);
    if (it != m_values.end() && NamesEqual(it->name, name))
        return &*it;
    return nullptr;
}

void MemoryKey::SetValue(std::string_view name, std::uint32_t type,
                         std::vector<std::uint8_t> data) {
    auto it = LowerBound(m_values, name, ValueName);
    if (it == m_values.end() || !NamesEqual(it->name, name)) {
        it = m_values.insert(it, Value{std::string(name), type, {}});
    }
    it->type = type;
    it->data = std::move(data);
}

bool MemoryKey::RemoveValue(std::string_view name) {
    auto it = LowerBound(m_values, name, ValueName);
    if (it == m_values.end() || !NamesEqual(it->name, name))
        return false;
    m_values.erase(it);
    return true;
}

void MemoryKey::Clear() {
    for (auto& subKey : m_subKeys)
        subKey->MarkDeleted();
    m_subKeys.clear();
    m_values.clear();
}

void MemoryKey::MarkDeleted() {
    m_deleted = true;
    for (auto& subKey : m_subKeys)
        subKey->MarkDeleted();
}

}  // namespace telvane::memory
