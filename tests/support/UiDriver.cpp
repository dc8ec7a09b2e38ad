#include "tests/support/UiDriver.h"

#include <atomic>
#include <chrono>
#include <cwchar>
#include <stdexcept>
#include <thread>

#include "tests/support/DriverThread.h"

namespace telvane::testsupport {
namespace {

constexpr UINT kRunOnUi = WM_APP + 1;
constexpr auto kPatience = std::chrono::seconds(20);

struct Abandoned : std::runtime_error {
    using std::runtime_error::runtime_error;
};

}  // namespace

UiDriver::UiDriver() {
    m_window = ::CreateWindowExW(0, L"STATIC", L"UiDriver", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 nullptr, nullptr);
    ::SetWindowLongPtrW(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure));
}

UiDriver::~UiDriver() {
    ::DestroyWindow(m_window);
}

LRESULT CALLBACK UiDriver::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kRunOnUi) {
        (*reinterpret_cast<const std::function<void()>*>(lParam))();
        return 1;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

void UiDriver::Run(const std::function<void(UiDriver&)>& scenario,
                   const std::function<bool(MSG&)>& pretranslate,
                   const std::function<void()>& abandon) {
    std::atomic<bool> done{false};
    DriverThread driver([&] {
        try {
            scenario(*this);
        } catch (const std::exception& error) {
            m_failures.push_back(m_step + ": " + error.what());
            OnUi(abandon);
        }
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

void UiDriver::OnUi(const std::function<void()>& work) {
    std::exception_ptr error;
    const std::function<void()> guarded = [&] {
        try {
            work();
        } catch (...) {
            error = std::current_exception();
        }
    };
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutW(m_window, kRunOnUi, 0, reinterpret_cast<LPARAM>(&guarded),
                               SMTO_NORMAL, 120000, &result)) {
        throw Abandoned("the UI thread did not answer");
    }
    if (error)
        std::rethrow_exception(error);
}

void UiDriver::Settle() {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    for (int calm = 0; calm < 3;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        const bool idle = Ask<bool>([this] {
            return HIWORD(::GetQueueStatus(QS_INPUT | QS_POSTMESSAGE)) == 0 &&
                   !(m_busy && m_busy());
        });
        calm = idle ? calm + 1 : 0;
        if (std::chrono::steady_clock::now() > deadline)
            throw Abandoned("the windows did not settle");
    }
}

void UiDriver::Send(const std::vector<INPUT>& inputs) {
    std::vector<INPUT> copy = inputs;
    const UINT sent = ::SendInput(static_cast<UINT>(copy.size()), copy.data(), sizeof(INPUT));
    Require(sent == copy.size(), "SendInput took " + std::to_string(sent) + " of " +
                                     std::to_string(copy.size()) + " inputs");
    Settle();
}

void UiDriver::Clicks(const std::vector<std::pair<HWND, POINT>>& clicks) {
    if (clicks.empty())
        return;
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);
    std::vector<INPUT> inputs;
    for (auto [window, point] : clicks) {
        ::ClientToScreen(window, &point);
        INPUT move{};
        move.type = INPUT_MOUSE;
        move.mi.dx = static_cast<LONG>((point.x * 65535 + width / 2) / (width - 1));
        move.mi.dy = static_cast<LONG>((point.y * 65535 + height / 2) / (height - 1));
        move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        INPUT down = move;
        down.mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
        INPUT up = move;
        up.mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
        inputs.insert(inputs.end(), {move, down, up});
    }
    // The pointer arrives and the windows settle before the first press, as with a hand: Wine
    // could otherwise take a press on a window it has only just shown where the pointer was.
    Send({inputs.front()});
    Send({inputs.begin() + 1, inputs.end()});
}

void UiDriver::Click(HWND window, POINT point) {
    Clicks({{window, point}});
}

void UiDriver::ClickCentre(HWND window, const RECT& area) {
    Click(window, {(area.left + area.right) / 2, (area.top + area.bottom) / 2});
}

void UiDriver::ClickCentre(HWND window) {
    RECT client{};
    ::GetClientRect(window, &client);
    ClickCentre(window, client);
}

void UiDriver::Press(WORD key, bool shift, bool alt) {
    std::vector<INPUT> inputs;
    const auto add = [&](WORD code, bool release) {
        INPUT input{};
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
    Send(inputs);
}

HWND UiDriver::WaitForWindow(const wchar_t* caption) {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    for (;;) {
        HWND window = ::FindWindowW(L"TelvaneForm", caption);
        if (window != nullptr && ::IsWindowVisible(window)) {
            Settle();
            return window;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            throw Abandoned("no window \"" + std::string(caption, caption + std::wcslen(caption)) +
                            "\"");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

HWND UiDriver::WaitFor(const std::function<HWND()>& find, const std::string& what) {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    for (;;) {
        if (HWND found = Ask<HWND>(find))
            return found;
        if (std::chrono::steady_clock::now() > deadline)
            throw Abandoned("waited in vain for " + what);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

void UiDriver::WaitUntilGone(HWND window) {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (::IsWindow(window)) {
        if (std::chrono::steady_clock::now() > deadline)
            throw Abandoned("a window stayed open");
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    Settle();
}

void UiDriver::Require(bool condition, const std::string& what) {
    if (!condition)
        throw Abandoned(what);
}

}  // namespace telvane::testsupport
