#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace telvane::testsupport {

// Acts as a person at the keyboard and mouse while the windows run. The caller's thread is
// the UI thread and pumps messages (the product's modal loops included); the driver runs the
// scenario on a second thread and reaches the windows only through real input (SendInput at
// pixel positions) and through OnUi, which runs work on the UI thread between messages. The
// mail-client host, the window tests and the picture taker share it.
class UiDriver {
public:
    UiDriver();
    UiDriver(const UiDriver&) = delete;
    UiDriver& operator=(const UiDriver&) = delete;
    ~UiDriver();

    // Runs `scenario` on the driver thread and pumps this thread's messages until it ends;
    // `pretranslate` sees each message first (true: used, not dispatched), as a container's
    // accelerators do. When the scenario fails, `abandon` runs on the UI thread to close what
    // is still open.
    void Run(const std::function<void(UiDriver&)>& scenario,
             const std::function<bool(MSG&)>& pretranslate, const std::function<void()>& abandon);
    // Runs on the UI thread while settling: true while a handler works (its DoEvents takes
    // messages, but the windows are not idle).
    void SetBusyProbe(std::function<bool()> busy) { m_busy = std::move(busy); }
    // What went wrong on the driver thread (timeouts, failed requirements).
    const std::vector<std::string>& Failures() const { return m_failures; }

    // --- From the scenario (driver thread) ---
    // Runs `work` on the UI thread and waits for it; what it throws comes back here.
    void OnUi(const std::function<void()>& work);
    template <class T>
    T Ask(const std::function<T()>& question) {
        T answer{};
        OnUi([&] { answer = question(); });
        return answer;
    }
    // Waits until the UI thread has taken every pending input and posted message.
    void Settle();
    // A left click at a point of a window's client area, in pixels.
    void Click(HWND window, POINT point);
    void ClickCentre(HWND window);
    void ClickCentre(HWND window, const RECT& area);
    // Several clicks sent at once, so that all are queued before the first is handled.
    void Clicks(const std::vector<std::pair<HWND, POINT>>& clicks);
    // A key press; with Shift and/or Alt held.
    void Press(WORD key, bool shift = false, bool alt = false);
    // The visible top-level form window with this caption, once it is there.
    HWND WaitForWindow(const wchar_t* caption);
    // The window that `find` (run on the UI thread) answers, once it answers one.
    HWND WaitFor(const std::function<HWND()>& find, const std::string& what);
    void WaitUntilGone(HWND window);
    // Names what the scenario does now, for the failure messages.
    void Step(std::string what) { m_step = std::move(what); }
    // Ends the scenario with a failure when `condition` is false.
    void Require(bool condition, const std::string& what);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Send(const std::vector<INPUT>& inputs);

    HWND m_window = nullptr;
    std::vector<std::string> m_failures;
    std::string m_step;
    std::function<bool()> m_busy;
};

}  // namespace telvane::testsupport
