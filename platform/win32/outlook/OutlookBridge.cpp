#include "platform/win32/outlook/OutlookBridge.h"

#include <windows.h>

#include <utility>

#include "platform/win32/outlook/ComApplication.h"
#include "platform/win32/outlook/ComPropertyPageSite.h"
#include "platform/win32/outlook/OutlookIds.h"

namespace telvane::win32 {

std::shared_ptr<outlook::Application> WrapApplication(IDispatch* application) {
    if (!application)
        return nullptr;
    ComPtr<IDispatch> typed;
    if (FAILED(application->QueryInterface(IID_OlApplication, typed.PutVoid())) || !typed) {
        return nullptr;
    }
    return std::make_shared<ComApplication>(std::move(typed), std::make_shared<DispIdCache>());
}

std::shared_ptr<outlook::PropertyPageSite> WrapPropertyPageSite(IUnknown* site) {
    if (!site)
        return nullptr;
    ComPtr<IDispatch> typed;
    if (FAILED(site->QueryInterface(IID_OlPropertyPageSite, typed.PutVoid())) || !typed) {
        return nullptr;
    }
    return std::make_shared<ComPropertyPageSite>(std::move(typed), std::make_shared<DispIdCache>());
}

}  // namespace telvane::win32
