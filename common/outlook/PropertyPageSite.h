#pragma once

#include <memory>

#include "common/outlook/Forward.h"

namespace telvane::outlook {

// What the Options dialog gives a custom page.
class PropertyPageSite {
public:
    virtual ~PropertyPageSite() = default;
    virtual std::shared_ptr<outlook::Application> Application() = 0;
    // Tells the dialog that the page changed; the dialog then asks the page whether it is dirty.
    virtual void OnStatusChange() = 0;
};

}  // namespace telvane::outlook
