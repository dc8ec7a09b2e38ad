#pragma once

#include <ole2.h>
#include <windows.h>

#include <memory>
#include <string>

#include "common/outlook/Explorer.h"
#include "platform/win32/outlook/DispatchObject.h"

namespace telvane::win32 {

// A folder window; events from ExplorerEvents.
class ComExplorer final : public outlook::Explorer {
public:
    ComExplorer(ComPtr<IDispatch> object, std::shared_ptr<DispIdCache> ids);

    outlook::Subscription Advise(const Events& handlers) override;

private:
    DispatchObject m_object;
};

}  // namespace telvane::win32
