#include "optionspage/PageLibrary.h"

#include "platform/win32/optionspage/PageProcess.h"

#include "platform/win32/com/ModuleVersion.h"
#include "platform/win32/com/ServerModule.h"

#include "platform/win32/com/SpinLock.h"

namespace telvane::win32 {
namespace {

PageLibrary::Version OwnVersion() {
    const auto own = com::ModuleVersion::Of(com::ServerModule::Handle());
    if (!own)
        return {0, 0, 0};
    return {own->major, own->minor, own->revision};
}

// Each thread's state, found by its thread: plain data, so nothing is destroyed at unload. An
// entry is only looked up on its own thread and goes with its state, so it never points at a
// state that is gone.
struct Entry {
    DWORD thread;
    PageProcess* process;
};

constexpr int Threads = 64;
Entry g_entries[Threads] = {};
com::SpinLock g_busy;

using Lock = com::SpinLock::Held;

}  // namespace

std::shared_ptr<PageProcess> PageProcess::Acquire() {
    const DWORD thread = ::GetCurrentThreadId();
    {
        const Lock lock(g_busy);
        for (const Entry& entry : g_entries) {
            if (entry.process && entry.thread == thread) {
                if (auto process = entry.process->weak_from_this().lock())
                    return process;
            }
        }
    }
    auto process = std::make_shared<PageProcess>();
    const Lock lock(g_busy);
    for (Entry& entry : g_entries) {
        if (!entry.process) {
            entry = {thread, process.get()};
            break;
        }
    }
    // With every entry taken the page still works, with state of its own.
    return process;
}

PageProcess::PageProcess()
    : m_library(std::make_unique<PageLibrary>(m_registry, m_host, OwnVersion())) {}

PageProcess::~PageProcess() {
    {
        const Lock lock(g_busy);
        for (Entry& entry : g_entries) {
            if (entry.process == this)
                entry = {};
        }
    }
    // The library's forms unload while the host and its windows are still there.
    m_library.reset();
}

}  // namespace telvane::win32
