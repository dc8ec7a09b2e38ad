#include "common/outlook/RaisedError.h"

#include "platform/win32/ui/WindowClasses.h"

#include <string>

namespace telvane::win32 {

std::shared_ptr<WindowClasses> WindowClasses::Acquire(HINSTANCE module, WNDPROC procedure) {
    return std::make_shared<WindowClasses>(module, procedure);
}

WNDCLASSEXW WindowClasses::Description(HINSTANCE module, WNDPROC procedure, const wchar_t* name) {
    WNDCLASSEXW description{};
    description.cbSize = sizeof description;
    description.lpfnWndProc = procedure;
    description.hInstance = module;
    description.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    description.lpszClassName = name;
    return description;
}

WindowClasses::WindowClasses(HINSTANCE module, WNDPROC procedure)
    : m_form(Description(module, procedure, Form)), m_pane(Description(module, procedure, Pane)) {
    if (!m_form.Registered() || !m_pane.Registered()) {
        const DWORD error = ::GetLastError();
        throw RaisedError(
            static_cast<std::int32_t>(HRESULT_FROM_WIN32(error)), "",
            "The window classes could not be registered (error " + std::to_string(error) + ").");
    }
}

}  // namespace telvane::win32
