#pragma once

#include <ole2.h>
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "platform/win32/outlook/ComVariant.h"

namespace telvane::outlookhost {

// Failures planned for the Invoke calls the host's objects receive, so that every call the
// bridge makes into the mail client can be made to fail in turn: the k-th Invoke from now
// fails with a bare HRESULT, or with DISP_E_EXCEPTION and an EXCEPINFO (optionally filled in
// only when the caller asks, through pfnDeferredFillIn), or succeeds with a value of the
// plan's choosing in place of its answer.
class InvokeFaults {
public:
    enum class Kind { Result, Exception, DeferredException, Value };
    struct Plan {
        Kind kind = Kind::Result;
        // The failure's HRESULT; for the exceptions, the EXCEPINFO's scode.
        HRESULT hr = E_FAIL;
        std::string source;
        std::string description;
        // What a Value plan answers.
        win32::ComVariant value;
        // Called when the planned call is reached, before it answers.
        std::function<void()> onFire;
    };

    // Plans the k-th Invoke from now (1 = the next one); the count starts again.
    void Arm(std::uint64_t k, Plan plan);
    void Disarm();
    // Invokes since the last Arm or Disarm, and which of them the plan hit (0: none yet).
    std::uint64_t Count() const { return m_count; }
    std::uint64_t FiredAt() const { return m_firedAt; }

    // Called by a server's Invoke before it answers: true when this call fails, with hr set
    // and info filled as planned.
    bool Fail(EXCEPINFO* info, HRESULT& hr);
    // Called after a call succeeded: a Value plan's value in place of the answer.
    void Answer(VARIANT* result);

private:
    bool m_armed = false;
    std::uint64_t m_k = 0;
    std::uint64_t m_count = 0;
    std::uint64_t m_firedAt = 0;
    Plan m_plan;
};

}  // namespace telvane::outlookhost
