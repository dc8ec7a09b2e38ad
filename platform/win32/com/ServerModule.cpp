#include "platform/win32/com/ServerModule.h"

#include <atomic>

namespace telvane::win32::com {
namespace {

HINSTANCE g_module = nullptr;
std::atomic<long> g_locks{0};

}  // namespace

void ServerModule::SetHandle(HINSTANCE module) noexcept {
    g_module = module;
}

HINSTANCE ServerModule::Handle() noexcept {
    return g_module;
}

std::wstring ServerModule::Path() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(g_module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

void ServerModule::Lock() noexcept {
    ++g_locks;
}

void ServerModule::Unlock() noexcept {
    --g_locks;
}

HRESULT ServerModule::CanUnloadNow() noexcept {
    return g_locks.load() == 0 ? S_OK : S_FALSE;
}

}  // namespace telvane::win32::com
