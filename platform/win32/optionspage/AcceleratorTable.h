#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace telvane::win32 {

// Owns an accelerator table: here the Alt+key combinations a control reports to its container
// through IOleControl::GetControlInfo, so the container knows which keys to send it.
class AcceleratorTable {
public:
    AcceleratorTable() = default;
    // Alt+key for each key (letters or digits, any case).
    explicit AcceleratorTable(const std::string& keys) {
        std::vector<ACCEL> entries;
        for (const char key : keys) {
            const auto upper = static_cast<WORD>(key >= 'a' && key <= 'z' ? key - 'a' + 'A' : key);
            entries.push_back({FALT | FVIRTKEY, upper, 0});
            m_keys.push_back(upper);
        }
        m_count = static_cast<USHORT>(entries.size());
        if (!entries.empty())
            m_table = ::CreateAcceleratorTableW(entries.data(), static_cast<int>(entries.size()));
    }
    AcceleratorTable(AcceleratorTable&& other) noexcept
        : m_table(std::exchange(other.m_table, nullptr)),
          m_count(std::exchange(other.m_count, 0)),
          m_keys(std::move(other.m_keys)) {}
    AcceleratorTable& operator=(AcceleratorTable&& other) noexcept {
        AcceleratorTable(std::move(other)).Swap(*this);
        return *this;
    }
    AcceleratorTable(const AcceleratorTable&) = delete;
    AcceleratorTable& operator=(const AcceleratorTable&) = delete;
    ~AcceleratorTable() {
        if (m_table)
            ::DestroyAcceleratorTable(m_table);
    }

    HACCEL Get() const { return m_table; }
    // Whether the virtual key is one of the table's (with Alt).
    bool Has(WPARAM virtualKey) const {
        for (const WORD key : m_keys) {
            if (key == virtualKey)
                return true;
        }
        return false;
    }
    USHORT Count() const { return m_table ? m_count : 0; }

private:
    void Swap(AcceleratorTable& other) noexcept {
        std::swap(m_table, other.m_table);
        std::swap(m_count, other.m_count);
        std::swap(m_keys, other.m_keys);
    }

    HACCEL m_table = nullptr;
    USHORT m_count = 0;
    std::vector<WORD> m_keys;
};

}  // namespace telvane::win32
