#pragma once

#include <windows.h>

#include <functional>
#include <stdexcept>
#include <utility>

namespace telvane::testsupport {

// A thread that runs one piece of work and is joined when it goes. The Windows trees build with
// the win32 thread model, whose libstdc++ has no std::thread (the posix one would bring in
// winpthread, which imports what Windows XP lacks), so the input drivers start theirs here.
class DriverThread {
public:
    explicit DriverThread(std::function<void()> work) : m_work(std::move(work)) {
        m_handle = ::CreateThread(nullptr, 0, &Start, this, 0, nullptr);
        if (!m_handle)
            throw std::runtime_error("could not start the driver thread");
    }
    DriverThread(const DriverThread&) = delete;
    DriverThread& operator=(const DriverThread&) = delete;
    ~DriverThread() { Join(); }

    void Join() {
        if (!m_handle)
            return;
        ::WaitForSingleObject(m_handle, INFINITE);
        ::CloseHandle(m_handle);
        m_handle = nullptr;
    }

private:
    static DWORD WINAPI Start(void* self) {
        // The work catches what it expects; nothing may unwind out of a thread's entry point.
        try {
            static_cast<DriverThread*>(self)->m_work();
        } catch (...) {
            return 1;
        }
        return 0;
    }

    std::function<void()> m_work;
    HANDLE m_handle = nullptr;
};

}  // namespace telvane::testsupport
