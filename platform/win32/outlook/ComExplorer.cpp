#include "platform/win32/outlook/ComExplorer.h"

#include <utility>

#include "platform/win32/outlook/EventSink.h"
#include "platform/win32/outlook/OutlookIds.h"

namespace telvane::win32 {

ComExplorer::ComExplorer(ComPtr<IDispatch> object, std::shared_ptr<DispIdCache> ids)
    : m_object(std::move(object), ObjectKind::Explorer, std::move(ids)) {}

outlook::Subscription ComExplorer::Advise(const Events& handlers) {
    return EventSink::Advise(m_object.Object(), DIID_ExplorerEvents,
                             [handlers](DISPID id, DISPPARAMS&, UINT*) -> HRESULT {
                                 // Close has no arguments in the type library, whatever its
                                 // documentation's syntax line shows.
                                 if (id == eventid::WindowClose && handlers.Close)
                                     handlers.Close();
                                 return S_OK;
                             });
}

}  // namespace telvane::win32
