#include "apps/hostbenchmark/MessageLoop.h"

#include <windows.h>

#include <chrono>

namespace telvane::bench {
namespace {

bool HandleOne() {
    MSG message;
    if (!::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        return false;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
    return true;
}

}  // namespace

void MessageLoop::Settle() {
    // Paint messages come once nothing else is queued, so the queue runs dry only at rest.
    while (HandleOne()) {
    }
}

bool MessageLoop::RunUntil(const std::function<bool()>& done, double seconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!done()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        if (!HandleOne()) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left.count()),
                                        QS_ALLINPUT);
        }
    }
    return true;
}

}  // namespace telvane::bench
