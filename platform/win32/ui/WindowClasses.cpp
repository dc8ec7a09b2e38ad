#include "platform/win32/ui/WindowClasses.h"

namespace telvane::win32 {

std::shared_ptr<WindowClasses> WindowClasses::Acquire(HINSTANCE module, WNDPROC procedure) {
    // Hosts on one thread share the registration; the last one unregisters.
    static std::weak_ptr<WindowClasses> current;
    auto classes = current.lock();
    if (!classes) {
        classes = std::make_shared<WindowClasses>(module, procedure);
        current = classes;
    }
    return classes;
}

WindowClasses::WindowClasses(HINSTANCE module, WNDPROC procedure) : m_module(module) {
    for (const wchar_t* name : {Form, Pane}) {
        WNDCLASSEXW description{};
        description.cbSize = sizeof description;
        description.lpfnWndProc = procedure;
        description.hInstance = module;
        description.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        description.lpszClassName = name;
        ::RegisterClassExW(&description);
    }
}

WindowClasses::~WindowClasses() {
    for (const wchar_t* name : {Form, Pane})
        ::UnregisterClassW(name, m_module);
}

}  // namespace telvane::win32
