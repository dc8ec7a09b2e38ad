#pragma once

#include <cstdint>
#include <stdexcept>
#include <utility>

namespace telvane::memory {

// Fails the k-th call from the moment it is made (k >= 1), or with `every` that call and every
// one after it, whatever the call is: what a fault sweep walks through, call by call. Shared by
// the in-memory mail client (a raised error) and registry (an error code).
template <class Failure>
class CallCountdown {
public:
    CallCountdown(std::uint64_t k, Failure failure, bool every)
        : m_target(k), m_failure(std::move(failure)), m_every(every) {
        if (k == 0)
            throw std::invalid_argument("calls are counted from 1");
    }

    // Counts one call: its failure when it is to fail, null when it goes through.
    const Failure* Next() {
        ++m_calls;
        if (m_calls != m_target && !(m_every && m_calls > m_target))
            return nullptr;
        if (m_firedAt == 0)
            m_firedAt = m_calls;
        return &m_failure;
    }
    // Calls counted so far, and the ordinal of the first one failed (0 while none was).
    std::uint64_t Calls() const { return m_calls; }
    std::uint64_t FiredAt() const { return m_firedAt; }

private:
    std::uint64_t m_target;
    Failure m_failure;
    bool m_every;
    std::uint64_t m_calls = 0;
    std::uint64_t m_firedAt = 0;
};

}  // namespace telvane::memory
