// Product headers come before <windows.h>, whose macros share their names.
#include "apps/hostbenchmark/PaintedFaxManagerSession.h"

#include <windows.h>

#include <exception>

#include "apps/hostbenchmark/MessageLoop.h"
#include "apps/hostbenchmark/PaintWatch.h"
#include "platform/win32/ui/Win32UiHost.h"

namespace telvane::bench {

PaintedFaxManagerSession::PaintedFaxManagerSession(memory::MailClient& client)
    : FaxManagerSession(client, std::make_unique<win32::Win32UiHost>()) {}

bool PaintedFaxManagerSession::WithFaxManager(const Work& work) {
    std::exception_ptr error;
    PaintWatch watch(&PaintWatch::IsTopLevelForm, [&](HWND root, PaintWatch::Clock::time_point at) {
        m_paintedAt = at;
        // Nothing may leave through the system's dispatch code: the error is kept for the caller.
        try {
            if (Library().frmFaxManager.IsLoaded())
                work(Library().frmFaxManager.Get());
        } catch (...) {
            error = std::current_exception();
        }
        ::PostMessageW(root, WM_CLOSE, 0, 0);
    });
    const bool opened = PressButton();
    if (error)
        std::rethrow_exception(error);
    return opened && watch.Done();
}

void PaintedFaxManagerSession::Settle() {
    MessageLoop::Settle();
}

}  // namespace telvane::bench
