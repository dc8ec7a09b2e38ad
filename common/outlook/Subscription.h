#pragma once

#include <functional>
#include <utility>

namespace telvane::outlook {

// One advised event connection. Destroying or resetting it unadvises; it cannot be copied,
// so a connection is ended exactly once.
class Subscription {
public:
    Subscription() = default;
    explicit Subscription(std::function<void()> unadvise) : m_unadvise(std::move(unadvise)) {}
    Subscription(Subscription&& other) noexcept : m_unadvise(std::exchange(other.m_unadvise, {})) {}
    Subscription& operator=(Subscription&& other) noexcept {
        if (this != &other) {
            Reset();
            m_unadvise = std::exchange(other.m_unadvise, {});
        }
        return *this;
    }
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;
    ~Subscription() { Reset(); }

    void Reset() noexcept {
        if (auto unadvise = std::exchange(m_unadvise, {})) {
            try {
                unadvise();
            } catch (...) {
                // The source may already be gone; an unadvise that fails has nothing to undo.
            }
        }
    }
    explicit operator bool() const { return static_cast<bool>(m_unadvise); }

private:
    std::function<void()> m_unadvise;
};

}  // namespace telvane::outlook
