#pragma once

#include <ole2.h>
#include <windows.h>

#include <memory>
#include <string>

#include "common/outlook/PropertyPageSite.h"
#include "platform/win32/outlook/DispatchObject.h"

namespace telvane::win32 {

class ComPropertyPageSite final : public outlook::PropertyPageSite {
public:
    ComPropertyPageSite(ComPtr<IDispatch> object, std::shared_ptr<DispIdCache> ids);

    std::shared_ptr<outlook::Application> Application() override;
    void OnStatusChange() override;

private:
    DispatchObject m_object;
};

}  // namespace telvane::win32
