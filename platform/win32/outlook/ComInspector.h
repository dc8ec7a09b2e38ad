#pragma once

#include <ole2.h>
#include <windows.h>

#include <memory>
#include <string>

#include "common/outlook/Inspector.h"
#include "platform/win32/outlook/DispatchObject.h"

namespace telvane::win32 {

// An item window; events from InspectorEvents.
class ComInspector final : public outlook::Inspector {
public:
    ComInspector(ComPtr<IDispatch> object, std::shared_ptr<DispIdCache> ids);

    std::shared_ptr<outlook::Item> CurrentItem() override;
    outlook::Subscription Advise(const Events& handlers) override;

private:
    DispatchObject m_object;
};

}  // namespace telvane::win32
