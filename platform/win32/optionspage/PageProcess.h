#pragma once

#include <memory>

#include "platform/win32/registry/Win32Registry.h"
#include "platform/win32/ui/Win32UiHost.h"

namespace telvane {
class PageLibrary;
}

namespace telvane::win32 {

// The options-page library's state for one thread: the native window host, the real registry
// and one PageLibrary, shared by every page of that thread as the library's module-level
// variables are. The first page of a thread makes it and the last one takes it away, windows
// and classes with it, on that thread: nothing of it is left for the runtime to destroy when
// the DLL unloads, under the loader lock.
class PageProcess : public std::enable_shared_from_this<PageProcess> {
public:
    // The calling thread's, made now if it has none.
    static std::shared_ptr<PageProcess> Acquire();

    PageProcess();
    PageProcess(const PageProcess&) = delete;
    PageProcess& operator=(const PageProcess&) = delete;
    ~PageProcess();

    PageLibrary& Library() { return *m_library; }
    Win32UiHost& Host() { return m_host; }

private:
    Win32Registry m_registry;
    // Outlives the library, whose windows it holds.
    Win32UiHost m_host;
    std::unique_ptr<PageLibrary> m_library;
};

}  // namespace telvane::win32
