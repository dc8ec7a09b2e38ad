#pragma once

#include <functional>

#include "common/outlook/Subscription.h"

namespace telvane::outlook {

// A folder window of the mail client.
class Explorer {
public:
    struct Events {
        // Raised while the closing window is still counted in Explorers.
        std::function<void()> Close = {};
    };

    virtual ~Explorer() = default;
    virtual Subscription Advise(const Events& handlers) = 0;
};

}  // namespace telvane::outlook
