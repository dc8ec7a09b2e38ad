// Product headers come before <windows.h>, whose macros share their names.
#include "apps/hostbenchmark/Win32FaxManagerSession.h"

#include <windows.h>

#include <exception>

#include "platform/win32/ui/Win32UiHost.h"

namespace telvane::bench {
namespace {

// The work waiting for the modal loop; a timer has no room for a context of its own.
struct PendingWork {
    PageLibrary* library;
    win32::Win32UiHost* host;
    const FaxManagerSession::Work* work;
    bool ran = false;
    std::exception_ptr error;
};
PendingWork* g_pending = nullptr;

void CALLBACK RunPending(HWND, UINT, UINT_PTR timer, DWORD) {
    PendingWork* pending = g_pending;
    if (pending == nullptr || !pending->library->frmFaxManager.IsLoaded()) {
        return;
    }
    frmFaxManager& form = pending->library->frmFaxManager.Get();
    // The tree is built (and messages let run) before the window shows: wait for the show.
    if (!::IsWindowVisible(pending->host->WindowOf(form)))
        return;
    ::KillTimer(nullptr, timer);
    g_pending = nullptr;
    pending->ran = true;
    // Nothing may leave through the system's dispatch code: the error is kept for the caller.
    try {
        (*pending->work)(form);
    } catch (...) {
        pending->error = std::current_exception();
    }
    try {
        form.cmdCancel.UserClick();
        // A Cancel refused would leave the modal loop waiting for ever.
        if (pending->library->frmFaxManager.IsLoaded())
            pending->library->frmFaxManager.Unload();
    } catch (...) {
        if (!pending->error)
            pending->error = std::current_exception();
    }
}

}  // namespace

Win32FaxManagerSession::Win32FaxManagerSession(memory::MailClient& client)
    : FaxManagerSession(client, std::make_unique<win32::Win32UiHost>()) {}

bool Win32FaxManagerSession::WithFaxManager(const Work& work) {
    PendingWork pending{&Library(), &static_cast<win32::Win32UiHost&>(Library().Host()), &work,
                        false, nullptr};
    g_pending = &pending;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &RunPending);
    const bool opened = timer != 0 && PressButton();
    if (g_pending != nullptr) {
        g_pending = nullptr;
        ::KillTimer(nullptr, timer);
    }
    if (pending.error)
        std::rethrow_exception(pending.error);
    return opened && pending.ran;
}

void Win32FaxManagerSession::Settle() {
    // Paint messages come once nothing else is queued, so the queue runs dry only at rest.
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

}  // namespace telvane::bench
