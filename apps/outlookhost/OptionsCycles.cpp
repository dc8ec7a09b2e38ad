#include "apps/outlookhost/OptionsCycles.h"

#include <objbase.h>
#include <windows.h>

#include <exception>
#include <string_view>

#include "apps/outlookhost/OptionsDialog.h"
#include "platform/win32/com/HResultText.h"

namespace telvane::outlookhost {
namespace {

constexpr const wchar_t* PageDll = L"TelvanePage.dll";
// Every class the page's DLL registers while its windows live.
constexpr const wchar_t* PageClasses[] = {L"TelvaneForm", L"TelvanePane", L"TelvanePageWindow"};

int CountChildrenOfClass(HWND parent, const wchar_t* name) {
    struct Search {
        const wchar_t* name;
        int count;
    } search{name, 0};
    ::EnumChildWindows(
        parent,
        [](HWND window, LPARAM context) CALLBACK -> BOOL {
            auto* search = reinterpret_cast<Search*>(context);
            wchar_t found[64] = {};
            ::GetClassNameW(window, found, 64);
            if (std::wstring_view(found) == search->name)
                ++search->count;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.count;
}

bool OfPageClass(HWND window) {
    wchar_t found[64] = {};
    ::GetClassNameW(window, found, 64);
    for (const wchar_t* name : PageClasses) {
        if (std::wstring_view(found) == name)
            return true;
    }
    return false;
}

// This thread's windows of the page's classes, top-level (hidden ones too) and children.
int ThreadWindowsOfClasses() {
    int count = 0;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM counted) CALLBACK -> BOOL {
            if (OfPageClass(window))
                ++*reinterpret_cast<int*>(counted);
            ::EnumChildWindows(
                window,
                [](HWND child, LPARAM counted) CALLBACK -> BOOL {
                    if (OfPageClass(child))
                        ++*reinterpret_cast<int*>(counted);
                    return TRUE;
                },
                counted);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

// Lets the dialog and the page paint, as the mail client's loop would between the user's looks.
void RunPendingMessages() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

struct ThreadWork {
    const std::shared_ptr<HostContext>* context;
    memory::MailClient* client;
    const std::string* tab;
    int times;
    std::vector<std::string> failures;
    std::exception_ptr error;
};

}  // namespace

std::vector<std::string> OptionsCycles::Run(const std::shared_ptr<HostContext>& context,
                                            memory::MailClient& client, const std::string& tab,
                                            int times, bool onAnotherThread) {
    if (!onAnotherThread)
        return RunHere(context, client, tab, times);
    ThreadWork work{&context, &client, &tab, times, {}, nullptr};
    HANDLE thread = ::CreateThread(
        nullptr, 0,
        [](LPVOID parameter) WINAPI -> DWORD {
            auto* work = static_cast<ThreadWork*>(parameter);
            try {
                if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
                    work->failures.push_back("the second thread gets no apartment");
                    return 0;
                }
                work->failures = RunHere(*work->context, *work->client, *work->tab, work->times);
            } catch (...) {
                work->error = std::current_exception();
            }
            ::CoUninitialize();
            return 0;
        },
        &work, 0, nullptr);
    if (!thread)
        return {"the second thread cannot start"};
    // The thread's windows are its own; this thread's messages may wait meanwhile.
    ::WaitForSingleObject(thread, INFINITE);
    ::CloseHandle(thread);
    if (work.error)
        std::rethrow_exception(work.error);
    return work.failures;
}

std::vector<std::string> OptionsCycles::RunHere(const std::shared_ptr<HostContext>& context,
                                                memory::MailClient& client, const std::string& tab,
                                                int times) {
    std::vector<std::string> failures;
    for (int cycle = 1; cycle <= times && failures.empty(); ++cycle) {
        const std::string when = " (time " + std::to_string(cycle) + ")";
        HINSTANCE module = nullptr;
        {
            OptionsDialog dialog(context, client);
            const HRESULT hr = dialog.CreatePage(dialog.TabIndex(tab));
            RunPendingMessages();
            module = ::GetModuleHandleW(PageDll);
            if (FAILED(hr))
                failures.push_back("the page is not created: " + win32::com::Hex(hr) + when);
            else if (CountChildrenOfClass(dialog.Window(), L"TelvaneForm") != 1)
                failures.push_back("the page's window is not in the dialog" + when);
            dialog.Close();
        }
        // Everything goes with the last page, on this thread, before the DLL is asked to
        // unload: what is left for the unload runs under the loader lock, where destroying a
        // window may deadlock, and on whatever thread frees the DLL, which cannot destroy
        // another thread's windows.
        if (const int left = ThreadWindowsOfClasses(); left > 0) {
            failures.push_back(std::to_string(left) +
                               " window(s) of the page's classes outlived the dialog" + when);
        }
        for (const wchar_t* name : PageClasses) {
            WNDCLASSEXW found = {};
            found.cbSize = sizeof found;
            if (module && ::GetClassInfoExW(module, name, &found)) {
                std::string narrow(name, name + std::char_traits<wchar_t>::length(name));
                failures.push_back("the window class " + narrow + " outlived the dialog" + when);
            }
        }
        ::CoFreeUnusedLibrariesEx(0, 0);
        if (::GetModuleHandleW(PageDll) != nullptr)
            failures.push_back("TelvanePage.dll is still loaded after the dialog closed" + when);
    }
    return failures;
}

}  // namespace telvane::outlookhost
