#pragma once

#include <windows.h>

#include <memory>

#include "platform/win32/ui/WindowClass.h"

namespace telvane::win32 {

// The window classes of the host's own windows, registered while any host holds them:
// "TelvaneForm" for forms and "TelvanePane" for frames, picture boxes and images.
class WindowClasses {
public:
    static constexpr const wchar_t* Form = L"TelvaneForm";
    static constexpr const wchar_t* Pane = L"TelvanePane";

    // Raises when a class cannot be registered.
    static std::shared_ptr<WindowClasses> Acquire(HINSTANCE module, WNDPROC procedure);
    WindowClasses(HINSTANCE module, WNDPROC procedure);
    WindowClasses(const WindowClasses&) = delete;
    WindowClasses& operator=(const WindowClasses&) = delete;

private:
    static WNDCLASSEXW Description(HINSTANCE module, WNDPROC procedure, const wchar_t* name);

    WindowClass m_form;
    WindowClass m_pane;
};

}  // namespace telvane::win32
