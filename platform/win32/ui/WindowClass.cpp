#include "platform/win32/ui/WindowClass.h"

#include "platform/win32/com/SpinLock.h"

namespace telvane::win32 {
namespace {

// Plain data only: nothing here has a destructor for the runtime to run at unload.
struct Registration {
    HINSTANCE module;
    const wchar_t* name;
    int holders;
    bool left;  // unregistering failed
};

constexpr int Slots = 16;
Registration g_registrations[Slots] = {};
com::SpinLock g_busy;

// Pages of the mail client's Options dialog may live on more than one thread, and the
// registrations are the process's; held for a few instructions and one Register/Unregister call.
using Lock = com::SpinLock::Held;

bool SameName(const wchar_t* a, const wchar_t* b) {
    // By hand: the C runtime's wcscmp is not among what the DLLs may import.
    while (*a != L'\0' && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

bool Same(const Registration& slot, HINSTANCE module, const wchar_t* name) {
    return slot.name && slot.module == module && SameName(slot.name, name);
}

}  // namespace

WindowClass::WindowClass(const WNDCLASSEXW& description) {
    const Lock lock(g_busy);
    int free = -1;
    for (int i = 0; i < Slots; ++i) {
        Registration& slot = g_registrations[i];
        if (Same(slot, description.hInstance, description.lpszClassName)) {
            // A class left behind by a window that outlived its holders is still registered
            // and still serves.
            slot.left = false;
            ++slot.holders;
            m_slot = i;
            return;
        }
        if (!slot.name && free < 0)
            free = i;
    }
    if (free < 0) {
        ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return;
    }
    if (!::RegisterClassExW(&description))
        return;
    g_registrations[free] = {description.hInstance, description.lpszClassName, 1, false};
    m_slot = free;
}

WindowClass::~WindowClass() {
    if (m_slot < 0)
        return;
    const Lock lock(g_busy);
    Registration& slot = g_registrations[m_slot];
    if (--slot.holders > 0)
        return;
    if (::UnregisterClassW(slot.name, slot.module))
        slot = {};
    else
        slot.left = true;
}

bool WindowClass::AnyLeft(HINSTANCE module) noexcept {
    const Lock lock(g_busy);
    for (const Registration& slot : g_registrations) {
        if (slot.name && slot.module == module)
            return true;
    }
    return false;
}

}  // namespace telvane::win32
