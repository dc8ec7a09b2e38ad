#pragma once

#include "apps/benchmark/FaxManagerSession.h"

namespace telvane::bench {

// The options tab with the real Win32 window host: the fax manager is a native window shown
// modally, and the work runs inside its message loop, as the user's input would.
class Win32FaxManagerSession final : public FaxManagerSession {
public:
    explicit Win32FaxManagerSession(memory::MailClient& client);

    bool WithFaxManager(const Work& work) override;
    void Settle() override;
};

}  // namespace telvane::bench
