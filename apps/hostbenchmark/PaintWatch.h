#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <vector>

namespace telvane::bench {

// Watches every window the thread creates while this lives: once the root (the first of them
// that `isRoot` accepts) has painted and no shown watched window has anything left to paint,
// `painted` runs, once, with the time of that moment. It runs from inside the root's or a child's
// paint, so it may only post messages, not destroy windows.
class PaintWatch {
public:
    using Clock = std::chrono::steady_clock;
    using Painted = std::function<void(HWND root, Clock::time_point at)>;

    using IsRoot = std::function<bool(HWND)>;

    PaintWatch(IsRoot isRoot, Painted painted);
    PaintWatch(const PaintWatch&) = delete;
    PaintWatch& operator=(const PaintWatch&) = delete;
    ~PaintWatch();

    // A root for the fax manager: a top-level window of the product's form class.
    static bool IsTopLevelForm(HWND window);

    bool Done() const { return m_done; }
    HWND Root() const { return m_root; }

private:
    static LRESULT CALLBACK OnCreation(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK Subclassed(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR self);
    void Watch(HWND window);
    void AfterPaint(HWND window);

    IsRoot m_isRoot;
    Painted m_painted;
    HHOOK m_hook = nullptr;
    std::vector<HWND> m_windows;
    HWND m_root = nullptr;
    bool m_rootPainted = false;
    bool m_done = false;
};

}  // namespace telvane::bench
