#pragma once

#include <chrono>

#include "apps/benchmark/FaxManagerSession.h"

namespace telvane::bench {

// The options tab with the real Win32 window host, for timing the fax manager's opening: the
// work runs once the fax manager's window has painted (from inside that paint, so it may only
// read), and the window is then closed as the user closes it.
class PaintedFaxManagerSession final : public FaxManagerSession {
public:
    explicit PaintedFaxManagerSession(memory::MailClient& client);

    bool WithFaxManager(const Work& work) override;
    void Settle() override;

    // When the last WithFaxManager's window had painted.
    std::chrono::steady_clock::time_point PaintedAt() const { return m_paintedAt; }

private:
    std::chrono::steady_clock::time_point m_paintedAt;
};

}  // namespace telvane::bench
