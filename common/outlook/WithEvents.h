#pragma once

#include <cstddef>
#include <memory>
#include <utility>

#include "common/outlook/Subscription.h"

namespace telvane::outlook {

// A member that holds a mail client object and receives its events. Assigning an object
// subscribes the handlers given at construction; assigning empty or another object ends the old
// subscription and then releases the old object. T must offer
// `Subscription Advise(const typename T::Events&)`.
template <class T>
class WithEvents {
public:
    using Events = typename T::Events;

    explicit WithEvents(Events handlers) : m_handlers(std::move(handlers)) {}
    WithEvents(const WithEvents&) = delete;
    WithEvents& operator=(const WithEvents&) = delete;
    ~WithEvents() { Release(); }

    WithEvents& operator=(std::shared_ptr<T> object) {
        if (object == m_object)
            return *this;
        if (!object)
            return *this = nullptr;
        // Subscribed before the old object goes, so a failing advise leaves the member as it was.
        Subscription subscription = object->Advise(m_handlers);
        Release();
        m_object = std::move(object);
        m_subscription = std::move(subscription);
        return *this;
    }
    WithEvents& operator=(std::nullptr_t) {
        Release();
        return *this;
    }

    T* operator->() const { return m_object.get(); }
    T& operator*() const { return *m_object; }
    const std::shared_ptr<T>& get() const { return m_object; }
    explicit operator bool() const { return static_cast<bool>(m_object); }

private:
    void Release() {
        m_subscription.Reset();
        // Moved out before it is dropped, so a handler re-entered by the release sees empty.
        std::shared_ptr<T> old = std::move(m_object);
        m_object.reset();
    }

    Events m_handlers;
    std::shared_ptr<T> m_object;
    Subscription m_subscription;
};

}  // namespace telvane::outlook
