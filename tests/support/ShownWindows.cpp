#include "tests/support/ShownWindows.h"

#include "platform/win32/com/TextConversion.h"

namespace telvane::testsupport {

std::wstring ShownWindows::Readable(const std::wstring& text) {
    std::wstring readable;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size())
            ++i;
        readable += text[i];
    }
    return readable;
}

std::wstring ShownWindows::TextOf(HWND window) {
    wchar_t text[512] = {};
    ::GetWindowTextW(window, text, 512);
    return text;
}

std::wstring ShownWindows::ClassOf(HWND window) {
    wchar_t name[128] = {};
    ::GetClassNameW(window, name, 128);
    return name;
}

bool ShownWindows::Usable(HWND window) {
    for (HWND at = window; at; at = ::GetAncestor(at, GA_PARENT)) {
        if (at == ::GetDesktopWindow())
            break;
        if (!::IsWindowVisible(at) || !::IsWindowEnabled(at))
            return false;
    }
    return true;
}

HWND ShownWindows::FindShown(const std::function<bool(HWND)>& match) {
    struct Search {
        const std::function<bool(HWND)>* match;
        HWND found;
    } search{&match, nullptr};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM context) CALLBACK -> BOOL {
            auto* search = reinterpret_cast<Search*>(context);
            if (!::IsWindowVisible(window))
                return TRUE;
            if ((*search->match)(window)) {
                search->found = window;
                return FALSE;
            }
            ::EnumChildWindows(
                window,
                [](HWND child, LPARAM inner) CALLBACK -> BOOL {
                    auto* search = reinterpret_cast<Search*>(inner);
                    if (::IsWindowVisible(child) && (*search->match)(child)) {
                        search->found = child;
                        return FALSE;
                    }
                    return TRUE;
                },
                context);
            return search->found ? FALSE : TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND ShownWindows::FindText(const std::string& text, bool usable) {
    const std::wstring wanted = Readable(win32::com::WideFromUtf8(text));
    return FindShown([&](HWND window) {
        return Readable(TextOf(window)) == wanted && (!usable || Usable(window));
    });
}

}  // namespace telvane::testsupport
