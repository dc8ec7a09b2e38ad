#pragma once

#include <functional>
#include <memory>
#include <string>

#include "common/outlook/Forward.h"
#include "common/outlook/Subscription.h"

namespace telvane::outlook {

// The mail client's application object. Every call may raise RaisedError.
class Application {
public:
    // Handlers may raise; the mail client receives the failure as the event call's result.
    struct Events {
        std::function<void(const std::shared_ptr<PropertyPages>& pages)> OptionsPagesAdd = {};
        std::function<void()> Quit = {};
    };

    virtual ~Application() = default;

    virtual std::shared_ptr<NameSpace> GetNamespace(const std::string& type) = 0;
    // Empty when the mail client has no explorer window.
    virtual std::shared_ptr<Explorer> ActiveExplorer() = 0;
    virtual std::shared_ptr<outlook::Explorers> Explorers() = 0;
    virtual std::shared_ptr<outlook::Inspectors> Inspectors() = 0;

    virtual Subscription Advise(const Events& handlers) = 0;
};

}  // namespace telvane::outlook
