#pragma once

#include <ole2.h>
#include <windows.h>

#include <memory>
#include <string>

#include "common/outlook/Inspectors.h"
#include "platform/win32/outlook/DispatchObject.h"

namespace telvane::win32 {

// The item windows; events from InspectorsEvents.
class ComInspectors final : public outlook::Inspectors {
public:
    ComInspectors(ComPtr<IDispatch> object, std::shared_ptr<DispIdCache> ids);

    std::int32_t Count() override;
    outlook::Subscription Advise(const Events& handlers) override;

private:
    DispatchObject m_object;
};

}  // namespace telvane::win32
