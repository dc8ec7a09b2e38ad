#include "platform/win32/outlook/ComInspector.h"

#include <utility>

#include "platform/win32/outlook/ComItem.h"
#include "platform/win32/outlook/EventSink.h"
#include "platform/win32/outlook/OutlookIds.h"

namespace telvane::win32 {

ComInspector::ComInspector(ComPtr<IDispatch> object, std::shared_ptr<DispIdCache> ids)
    : m_object(std::move(object), ObjectKind::Inspector, std::move(ids)) {}

std::shared_ptr<outlook::Item> ComInspector::CurrentItem() {
    return std::make_shared<ComItem>(
        DispatchObject::RequireObject(m_object.Get(Member::CurrentItem), "CurrentItem"),
        m_object.Ids());
}

outlook::Subscription ComInspector::Advise(const Events& handlers) {
    return EventSink::Advise(m_object.Object(), DIID_InspectorEvents,
                             [handlers](DISPID id, DISPPARAMS&, UINT*) -> HRESULT {
                                 if (id == eventid::WindowClose && handlers.Close)
                                     handlers.Close();
                                 return S_OK;
                             });
}

}  // namespace telvane::win32
