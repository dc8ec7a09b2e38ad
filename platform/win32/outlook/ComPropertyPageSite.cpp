#include "platform/win32/outlook/ComPropertyPageSite.h"

#include <utility>

#include "platform/win32/outlook/ComApplication.h"

namespace telvane::win32 {

ComPropertyPageSite::ComPropertyPageSite(ComPtr<IDispatch> object, std::shared_ptr<DispIdCache> ids)
    : m_object(std::move(object), ObjectKind::PropertyPageSite, std::move(ids)) {}

std::shared_ptr<outlook::Application> ComPropertyPageSite::Application() {
    return std::make_shared<ComApplication>(
        DispatchObject::RequireObject(m_object.Get(Member::Application), "Application"),
        m_object.Ids());
}

void ComPropertyPageSite::OnStatusChange() {
    m_object.Call(Member::OnStatusChange);
}

}  // namespace telvane::win32
