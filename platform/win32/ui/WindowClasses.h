#pragma once

#include <windows.h>

#include <memory>

namespace telvane::win32 {

// The window classes of the host's own windows, registered once for the module while any host
// lives: "TelvaneForm" for forms and "TelvanePane" for frames, picture boxes and images.
class WindowClasses {
public:
    static constexpr const wchar_t* Form = L"TelvaneForm";
    static constexpr const wchar_t* Pane = L"TelvanePane";

    static std::shared_ptr<WindowClasses> Acquire(HINSTANCE module, WNDPROC procedure);
    WindowClasses(HINSTANCE module, WNDPROC procedure);
    WindowClasses(const WindowClasses&) = delete;
    WindowClasses& operator=(const WindowClasses&) = delete;
    ~WindowClasses();

private:
    HINSTANCE m_module;
};

}  // namespace telvane::win32
