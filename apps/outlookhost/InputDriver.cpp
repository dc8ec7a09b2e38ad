#include "apps/outlookhost/InputDriver.h"

#include <atomic>
#include <chrono>
#include <exception>
#include <stdexcept>
#include <thread>
#include <vector>

#include "apps/outlookhost/DriverThread.h"

namespace telvane::outlookhost {
namespace {

constexpr UINT RunOnUi = WM_APP + 1;
constexpr auto Patience = std::chrono::seconds(20);

}  // namespace

InputDriver::InputDriver()
    : m_window(::CreateWindowExW(0, L"STATIC", L"InputDriver", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 nullptr, nullptr)) {
    ::SetWindowLongPtrW(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure));
}

InputDriver::~InputDriver() {
    ::DestroyWindow(m_window);
}

LRESULT CALLBACK InputDriver::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == RunOnUi) {
        (*reinterpret_cast<const std::function<void()>*>(lParam))();
        return 1;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

void InputDriver::Run(const std::function<void()>& script,
                      const std::function<bool(MSG&)>& pretranslate) {
    std::atomic<bool> done{false};
    DriverThread driver([&] {
        script();
        done = true;
        ::PostMessageW(m_window, WM_NULL, 0, 0);
    });
    while (!done) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (!pretranslate(message)) {
                ::TranslateMessage(&message);
                ::DispatchMessageW(&message);
            }
        }
        if (!done)
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    driver.Join();
}

void InputDriver::OnUi(const std::function<void()>& work) {
    std::exception_ptr error;
    const std::function<void()> guarded = [&] {
        try {
            work();
        } catch (...) {
            error = std::current_exception();
        }
    };
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutW(m_window, RunOnUi, 0, reinterpret_cast<LPARAM>(&guarded),
                               SMTO_NORMAL, 120000, &result)) {
        throw std::runtime_error("the user-interface thread did not answer");
    }
    if (error)
        std::rethrow_exception(error);
}

void InputDriver::Settle() {
    const auto deadline = std::chrono::steady_clock::now() + Patience;
    for (int calm = 0; calm < 3;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        bool idle = false;
        OnUi([&] { idle = HIWORD(::GetQueueStatus(QS_INPUT | QS_POSTMESSAGE)) == 0; });
        calm = idle ? calm + 1 : 0;
        if (std::chrono::steady_clock::now() > deadline)
            throw std::runtime_error("the windows did not settle");
    }
}

HWND InputDriver::WaitFor(const std::function<HWND()>& find, const std::string& what) {
    const auto deadline = std::chrono::steady_clock::now() + Patience;
    for (;;) {
        HWND found = nullptr;
        OnUi([&] { found = find(); });
        if (found)
            return found;
        if (std::chrono::steady_clock::now() > deadline)
            throw std::runtime_error("waited in vain for " + what);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

void InputDriver::Send(INPUT* inputs, UINT count) {
    const UINT sent = ::SendInput(count, inputs, sizeof(INPUT));
    if (sent != count)
        throw std::runtime_error("SendInput took " + std::to_string(sent) + " of " +
                                 std::to_string(count) + " inputs");
    Settle();
}

void InputDriver::Click(HWND window, POINT point) {
    ::ClientToScreen(window, &point);
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT inputs[3] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_MOUSE;
        input.mi.dx = static_cast<LONG>((point.x * 65535 + width / 2) / (width - 1));
        input.mi.dy = static_cast<LONG>((point.y * 65535 + height / 2) / (height - 1));
    }
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
    Send(inputs, 3);
}

void InputDriver::ClickCentre(HWND window, const RECT& area) {
    Click(window, {(area.left + area.right) / 2, (area.top + area.bottom) / 2});
}

void InputDriver::Press(WORD key, bool shift, bool alt) {
    std::vector<INPUT> inputs;
    const auto add = [&](WORD code, bool release) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = code;
        input.ki.dwFlags = release ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    };
    if (alt)
        add(VK_MENU, false);
    if (shift)
        add(VK_SHIFT, false);
    add(key, false);
    add(key, true);
    if (shift)
        add(VK_SHIFT, true);
    if (alt)
        add(VK_MENU, true);
    Send(inputs.data(), static_cast<UINT>(inputs.size()));
}

}  // namespace telvane::outlookhost
