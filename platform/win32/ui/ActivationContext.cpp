#include "platform/win32/ui/ActivationContext.h"

namespace telvane::win32 {
namespace {

using CreateContext = HANDLE(WINAPI*)(const ACTCTXW*);
using ReleaseContext = void(WINAPI*)(HANDLE);
using ActivateContext = BOOL(WINAPI*)(HANDLE, ULONG_PTR*);
using DeactivateContext = BOOL(WINAPI*)(DWORD, ULONG_PTR);

// XP has these, but they are looked up so that the import lists stay those of Windows 2000.
struct ContextFunctions {
    CreateContext create = nullptr;
    ReleaseContext release = nullptr;
    ActivateContext activate = nullptr;
    DeactivateContext deactivate = nullptr;
};

template <class Function>
Function Find(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

const ContextFunctions& Functions() {
    static const ContextFunctions functions = [] {
        ContextFunctions found;
        if (const HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll")) {
            found.create = Find<CreateContext>(kernel, "CreateActCtxW");
            found.release = Find<ReleaseContext>(kernel, "ReleaseActCtx");
            found.activate = Find<ActivateContext>(kernel, "ActivateActCtx");
            found.deactivate = Find<DeactivateContext>(kernel, "DeactivateActCtx");
        }
        if (!found.create || !found.release || !found.activate || !found.deactivate)
            return ContextFunctions{};
        return found;
    }();
    return functions;
}

}  // namespace

ActivationContext::ActivationContext(HMODULE module) {
    const ContextFunctions& functions = Functions();
    if (functions.create == nullptr || module == nullptr)
        return;
    ACTCTXW description{};
    description.cbSize = sizeof description;
    description.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    description.hModule = module;
    description.lpResourceName = MAKEINTRESOURCEW(2);  // ISOLATIONAWARE_MANIFEST_RESOURCE_ID
    m_context = functions.create(&description);
}

ActivationContext::~ActivationContext() {
    if (Valid())
        Functions().release(m_context);
}

ULONG_PTR ActivationContext::Activate() const {
    ULONG_PTR cookie = 0;
    if (Valid() && !Functions().activate(m_context, &cookie))
        cookie = 0;
    return cookie;
}

void ActivationContext::Deactivate(ULONG_PTR cookie) const {
    if (cookie != 0)
        Functions().deactivate(0, cookie);
}

}  // namespace telvane::win32
