#include "platform/win32/outlook/ComInspectors.h"

#include <utility>

#include "platform/win32/outlook/ComInspector.h"
#include "platform/win32/outlook/EventSink.h"
#include "platform/win32/outlook/OutlookIds.h"
#include "platform/win32/outlook/SinkArguments.h"

namespace telvane::win32 {

ComInspectors::ComInspectors(ComPtr<IDispatch> object, std::shared_ptr<DispIdCache> ids)
    : m_object(std::move(object), ObjectKind::Inspectors, std::move(ids)) {}

std::int32_t ComInspectors::Count() {
    return m_object.Get(Member::Count).ToInt32();
}

outlook::Subscription ComInspectors::Advise(const Events& handlers) {
    auto ids = m_object.Ids();
    return EventSink::Advise(
        m_object.Object(), DIID_InspectorsEvents,
        [handlers, ids](DISPID id, DISPPARAMS& params, UINT* argError) -> HRESULT {
            if (id != eventid::NewInspector)
                return S_OK;
            SinkArguments args(params, argError);
            ComPtr<IDispatch> inspector = args.Object(0);
            if (!inspector)
                return args.Failure();
            if (handlers.NewInspector) {
                handlers.NewInspector(std::make_shared<ComInspector>(std::move(inspector), ids));
            }
            return S_OK;
        });
}

}  // namespace telvane::win32
