#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace telvane::outlookhost {

// Acts as the person at the mouse and keyboard. The host's thread stays the user-interface
// thread and pumps messages, including those of any modal loop the product runs; the scenario
// runs on a driver thread, which reaches the windows only through real input (SendInput at a
// control's pixel position) and through OnUi, which runs work on the user-interface thread
// between two messages.
class InputDriver {
public:
    InputDriver();
    InputDriver(const InputDriver&) = delete;
    InputDriver& operator=(const InputDriver&) = delete;
    ~InputDriver();

    // Runs script on the driver thread and pumps this thread's messages until it ends;
    // pretranslate sees each message first (true: used, not dispatched).
    void Run(const std::function<void()>& script, const std::function<bool(MSG&)>& pretranslate);

    // --- From the script (driver thread) ---
    // Runs work on the user-interface thread and waits for it; what it throws comes back here.
    void OnUi(const std::function<void()>& work);
    // Waits until the user-interface thread has taken every pending input and posted message.
    void Settle();
    // Waits until find (run on the user-interface thread) answers a window; throws
    // std::runtime_error naming what after a while.
    HWND WaitFor(const std::function<HWND()>& find, const std::string& what);
    // A left click at a point of the window's client area (pixels).
    void Click(HWND window, POINT point);
    void ClickCentre(HWND window, const RECT& area);
    // A key press, with Shift and/or Alt held.
    void Press(WORD key, bool shift, bool alt);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Send(INPUT* inputs, UINT count);

    HWND m_window = nullptr;
};

}  // namespace telvane::outlookhost
