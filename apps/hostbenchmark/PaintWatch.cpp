#include "apps/hostbenchmark/PaintWatch.h"

#include <commctrl.h>

#include <algorithm>
#include <string_view>
#include <utility>

namespace telvane::bench {
namespace {

// A thread's hook has no context of its own; the benchmark runs on one thread.
PaintWatch* g_watch = nullptr;
constexpr UINT_PTR SubclassId = 0x7E1;

}  // namespace

PaintWatch::PaintWatch(IsRoot isRoot, Painted painted)
    : m_isRoot(std::move(isRoot)), m_painted(std::move(painted)) {
    g_watch = this;
    m_hook = ::SetWindowsHookExW(WH_CBT, &PaintWatch::OnCreation, nullptr, ::GetCurrentThreadId());
}

PaintWatch::~PaintWatch() {
    if (m_hook)
        ::UnhookWindowsHookEx(m_hook);
    for (HWND window : m_windows)
        ::RemoveWindowSubclass(window, &PaintWatch::Subclassed, SubclassId);
    g_watch = nullptr;
}

bool PaintWatch::IsTopLevelForm(HWND window) {
    wchar_t name[32] = {};
    ::GetClassNameW(window, name, 32);
    return (::GetWindowLongW(window, GWL_STYLE) & WS_CHILD) == 0 &&
           std::wstring_view(name) == L"TelvaneForm";
}

LRESULT CALLBACK PaintWatch::OnCreation(int code, WPARAM wParam, LPARAM lParam) {
    // The window procedure is in place by now, so the subclass goes over it.
    if (code == HCBT_CREATEWND && g_watch != nullptr)
        g_watch->Watch(reinterpret_cast<HWND>(wParam));
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void PaintWatch::Watch(HWND window) {
    if (!::SetWindowSubclass(window, &PaintWatch::Subclassed, SubclassId,
                             reinterpret_cast<DWORD_PTR>(this))) {
        return;
    }
    m_windows.push_back(window);
}

LRESULT CALLBACK PaintWatch::Subclassed(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR self) {
    auto* watch = reinterpret_cast<PaintWatch*>(self);
    if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(window, &PaintWatch::Subclassed, SubclassId);
        auto& windows = watch->m_windows;
        windows.erase(std::remove(windows.begin(), windows.end(), window), windows.end());
        if (window == watch->m_root)
            watch->m_root = nullptr;
        return ::DefSubclassProc(window, message, wParam, lParam);
    }
    const LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
    if (message == WM_PAINT)
        watch->AfterPaint(window);
    return result;
}

void PaintWatch::AfterPaint(HWND window) {
    if (m_done)
        return;
    if (m_root == nullptr && m_isRoot(window))
        m_root = window;
    if (window == m_root)
        m_rootPainted = true;
    if (!m_rootPainted)
        return;
    for (HWND watched : m_windows) {
        if (::IsWindowVisible(watched) && ::GetUpdateRect(watched, nullptr, FALSE))
            return;
    }
    m_done = true;
    m_painted(m_root, Clock::now());
}

}  // namespace telvane::bench
