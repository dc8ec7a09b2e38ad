#pragma once

#include <functional>
#include <memory>

#include "common/outlook/Forward.h"
#include "common/outlook/Subscription.h"

namespace telvane::outlook {

// An item window of the mail client.
class Inspector {
public:
    struct Events {
        // Raised while the closing window is still counted in Inspectors.
        std::function<void()> Close = {};
    };

    virtual ~Inspector() = default;
    // The item the window shows, of any kind.
    virtual std::shared_ptr<Item> CurrentItem() = 0;
    virtual Subscription Advise(const Events& handlers) = 0;
};

}  // namespace telvane::outlook
