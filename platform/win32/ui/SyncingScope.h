#pragma once

namespace telvane::win32 {

// Marks a peer busy following the model: the native notices it causes meanwhile are not user
// input. Restores the previous state, so scopes nest.
class SyncingScope {
public:
    explicit SyncingScope(bool& flag) : m_flag(flag), m_previous(flag) { m_flag = true; }
    SyncingScope(const SyncingScope&) = delete;
    SyncingScope& operator=(const SyncingScope&) = delete;
    ~SyncingScope() { m_flag = m_previous; }

private:
    bool& m_flag;
    bool m_previous;
};

}  // namespace telvane::win32
