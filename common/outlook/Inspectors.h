#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "common/outlook/Forward.h"
#include "common/outlook/Subscription.h"

namespace telvane::outlook {

// The live collection of item windows.
class Inspectors {
public:
    struct Events {
        std::function<void(const std::shared_ptr<Inspector>& inspector)> NewInspector = {};
    };

    virtual ~Inspectors() = default;
    virtual std::int32_t Count() = 0;
    virtual Subscription Advise(const Events& handlers) = 0;
};

}  // namespace telvane::outlook
