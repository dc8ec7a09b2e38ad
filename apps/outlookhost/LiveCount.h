#pragma once

namespace telvane::outlookhost {

// Counts an object in `counter` while it lives, so a test can see that everything handed out
// was released.
class LiveCount {
public:
    explicit LiveCount(long& counter) : m_counter(counter) { ++m_counter; }
    LiveCount(const LiveCount& other) : m_counter(other.m_counter) { ++m_counter; }
    LiveCount& operator=(const LiveCount&) = delete;
    ~LiveCount() { --m_counter; }

private:
    long& m_counter;
};

}  // namespace telvane::outlookhost
