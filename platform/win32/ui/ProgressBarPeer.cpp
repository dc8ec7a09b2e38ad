// Product headers come before <windows.h>, whose macros share their names.
#include "forms/ProgressBar.h"

#include "platform/win32/ui/ProgressBarPeer.h"

#include <commctrl.h>

#include "platform/win32/ui/FormWindow.h"

namespace telvane::win32 {
namespace {

// A progress bar is moved at most this often (ms); a position held back is shown by a timer.
constexpr DWORD kInterval = 30;
constexpr UINT_PTR kTimer = 0x7E1A;

}  // namespace

ProgressBarPeer::ProgressBarPeer(FormWindow& form, forms::ProgressBar& bar, int id)
    : ControlPeer(form, bar, id), m_bar(bar) {
    Create(PROGRESS_CLASSW, 0, 0, {}, false);
    Changed(forms::Property::Range);
    Changed(forms::Property::Value);
}

ProgressBarPeer::~ProgressBarPeer() {
    if (m_pending && Window() != nullptr)
        ::KillTimer(Window(), kTimer);
}

void ProgressBarPeer::Apply(forms::Property what) {
    switch (what) {
        case forms::Property::Value:
        case forms::Property::Range:
            Sync(what == forms::Property::Range);
            break;
        case forms::Property::Visible:
            // The bar shows or goes at rest: no position stays held back for the timer.
            if (m_pending)
                Show();
            ControlPeer::Apply(what);
            break;
        default:
            ControlPeer::Apply(what);
            break;
    }
}

void ProgressBarPeer::Sync(bool range) {
    if (range) {
        ::SendMessageW(Window(), PBM_SETRANGE32, static_cast<WPARAM>(m_bar.Min()),
                       static_cast<LPARAM>(m_bar.Max()));
    }
    // It is told at once at its ends, and otherwise at most every few hundredths of a second.
    const bool end = range || m_bar.Value() == m_bar.Min() || m_bar.Value() == m_bar.Max();
    if (!end && Pixels() == m_pixels)
        return;
    if (!end && ::GetTickCount() - m_shown < kInterval) {
        if (!m_pending)
            m_pending = ::SetTimer(Window(), kTimer, kInterval, nullptr) != 0;
        return;
    }
    Show();
}

int ProgressBarPeer::Pixels() const {
    const RECT place = Form().PixelRect(m_bar);
    return static_cast<int>(m_bar.Fraction() * (place.right - place.left));
}

void ProgressBarPeer::Show() {
    if (m_pending) {
        ::KillTimer(Window(), kTimer);
        m_pending = false;
    }
    ::SendMessageW(Window(), PBM_SETPOS, static_cast<WPARAM>(m_bar.Value()), 0);
    m_pixels = Pixels();
    m_shown = ::GetTickCount();
}

bool ProgressBarPeer::Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_TIMER && wParam == kTimer) {
        result = 0;
        Show();
        return true;
    }
    return ControlPeer::Handle(message, wParam, lParam, result);
}

}  // namespace telvane::win32
