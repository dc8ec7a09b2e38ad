#include "platform/win32/ui/VisualStyles.h"

namespace telvane::win32 {
namespace {

template <class Function>
Function Find(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

}  // namespace

VisualStyles::VisualStyles() : m_library(::LoadLibraryW(L"uxtheme.dll")) {
    if (m_library == nullptr)
        return;
    m_open = Find<OpenTheme>(m_library, "OpenThemeData");
    m_close = Find<CloseTheme>(m_library, "CloseThemeData");
    m_draw = Find<DrawBackground>(m_library, "DrawThemeBackground");
    if (!m_open || !m_close || !m_draw)
        m_open = nullptr;
}

VisualStyles::~VisualStyles() {
    if (m_library != nullptr)
        ::FreeLibrary(m_library);
}

bool VisualStyles::Draw(HWND window, const wchar_t* classes, int part, int state, HDC dc,
                        const RECT& place) const {
    if (m_open == nullptr)
        return false;
    // Opened for each drawing, so a change of style or of the user's scheme is followed at once.
    const Theme theme = m_open(window, classes);
    if (theme == nullptr)
        return false;
    const bool drawn = SUCCEEDED(m_draw(theme, dc, part, state, &place, nullptr));
    m_close(theme);
    return drawn;
}

}  // namespace telvane::win32
