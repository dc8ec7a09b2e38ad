#pragma once

// GoogleTest's Notification for the Windows build, declared before gtest-port.h (which then
// skips its own): gtest-port.h builds it on std::mutex and std::condition_variable, which the
// win32-thread MinGW compilers lack, and those compilers are the ones whose DLLs Windows XP
// loads. Forced into every test source, so it includes nothing; Notification.cpp holds the
// event behind it.
namespace testing::internal {

class Notification {
public:
    Notification();
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;
    ~Notification();

    void Notify();
    void WaitForNotification();

private:
    void* m_event;  // a manual-reset event
};

}  // namespace testing::internal

#define GTEST_HAS_NOTIFICATION_ 1
