#include "tests/win32/Notification.h"

#include <windows.h>

namespace testing::internal {

Notification::Notification() : m_event(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

Notification::~Notification() {
    if (m_event)
        ::CloseHandle(m_event);
}

void Notification::Notify() {
    ::SetEvent(m_event);
}

void Notification::WaitForNotification() {
    ::WaitForSingleObject(m_event, INFINITE);
}

}  // namespace testing::internal
