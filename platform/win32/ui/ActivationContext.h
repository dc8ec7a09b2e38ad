#pragma once

#include <windows.h>

#include <utility>

namespace telvane::win32 {

// The activation context of a module's isolation-aware manifest (resource 2): windows created
// while it is active use the common controls it names (version 6, drawn by the visual style),
// whatever the process itself was built for. Without the manifest, or on a system without
// activation contexts, nothing is activated and the windows are the process's own kind.
class ActivationContext {
public:
    explicit ActivationContext(HMODULE module);
    ActivationContext(const ActivationContext&) = delete;
    ActivationContext& operator=(const ActivationContext&) = delete;
    ~ActivationContext();

    bool Valid() const { return m_context != INVALID_HANDLE_VALUE; }

    // Runs `work` with this context active, and deactivates it however `work` ends.
    template <class Work>
    decltype(auto) Within(Work&& work) const {
        struct Active {
            const ActivationContext& context;
            ULONG_PTR cookie;
            ~Active() { context.Deactivate(cookie); }
        } active{*this, Activate()};
        return std::forward<Work>(work)();
    }

private:
    ULONG_PTR Activate() const;
    void Deactivate(ULONG_PTR cookie) const;

    HANDLE m_context = INVALID_HANDLE_VALUE;
};

}  // namespace telvane::win32
