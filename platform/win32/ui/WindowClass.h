#pragma once

#include <windows.h>

namespace telvane::win32 {

// One window class of a module, registered while anything holds it. Holders on every thread
// share one registration and the last one unregisters it, so a DLL is never unloaded under a
// class whose procedure is gone. A class that cannot be unregistered (a window of it is still
// alive) counts as left, and keeps the DLL loaded.
class WindowClass {
public:
    // Registers the class, or joins its registration; Registered() tells whether that worked
    // (GetLastError() then says why not).
    explicit WindowClass(const WNDCLASSEXW& description);
    WindowClass(const WindowClass&) = delete;
    WindowClass& operator=(const WindowClass&) = delete;
    ~WindowClass();

    bool Registered() const { return m_slot >= 0; }

    // True while any class of the module is registered or was left registered.
    static bool AnyLeft(HINSTANCE module) noexcept;

private:
    int m_slot = -1;
};

}  // namespace telvane::win32
