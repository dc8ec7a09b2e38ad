#pragma once

#include <windows.h>

#include <atomic>

namespace telvane::win32::com {

// Guards a module's plain-data table for a few instructions. Constant-initialised and without
// a destructor, so it works before any constructor and leaves nothing for the runtime to run at
// unload; XP has no slim reader/writer lock.
class SpinLock {
public:
    class Held {
    public:
        explicit Held(SpinLock& lock) : m_lock(lock) {
            while (m_lock.m_busy.test_and_set(std::memory_order_acquire))
                ::Sleep(0);
        }
        Held(const Held&) = delete;
        Held& operator=(const Held&) = delete;
        ~Held() { m_lock.m_busy.clear(std::memory_order_release); }

    private:
        SpinLock& m_lock;
    };

private:
    std::atomic_flag m_busy = ATOMIC_FLAG_INIT;
};

}  // namespace telvane::win32::com
