#include "platform/win32/outlook/ComApplication.h"

#include <utility>

#include "platform/win32/outlook/ComExplorer.h"
#include "platform/win32/outlook/ComExplorers.h"
#include "platform/win32/outlook/ComInspectors.h"
#include "platform/win32/outlook/ComNameSpace.h"
#include "platform/win32/outlook/ComPropertyPages.h"
#include "platform/win32/outlook/EventSink.h"
#include "platform/win32/outlook/OutlookIds.h"
#include "platform/win32/outlook/SinkArguments.h"

namespace telvane::win32 {

ComApplication::ComApplication(ComPtr<IDispatch> object, std::shared_ptr<DispIdCache> ids)
    : m_object(std::move(object), ObjectKind::Application, std::move(ids)) {}

std::shared_ptr<outlook::NameSpace> ComApplication::GetNamespace(const std::string& type) {
    const ComVariant args[] = {ComVariant(type)};
    ComVariant result = m_object.Call(Member::GetNamespace, args);
    return std::make_shared<ComNameSpace>(DispatchObject::RequireObject(result, "GetNamespace"),
                                          m_object.Ids());
}

std::shared_ptr<outlook::Explorer> ComApplication::ActiveExplorer() {
    ComPtr<IDispatch> explorer = m_object.Call(Member::ActiveExplorer).ToObject();
    if (!explorer)
        return nullptr;  // no explorer window
    return std::make_shared<ComExplorer>(std::move(explorer), m_object.Ids());
}

std::shared_ptr<outlook::Explorers> ComApplication::Explorers() {
    return std::make_shared<ComExplorers>(
        DispatchObject::RequireObject(m_object.Get(Member::Explorers), "Explorers"),
        m_object.Ids());
}

std::shared_ptr<outlook::Inspectors> ComApplication::Inspectors() {
    return std::make_shared<ComInspectors>(
        DispatchObject::RequireObject(m_object.Get(Member::Inspectors), "Inspectors"),
        m_object.Ids());
}

outlook::Subscription ComApplication::Advise(const Events& handlers) {
    auto ids = m_object.Ids();
    return EventSink::Advise(
        m_object.Object(), DIID_ApplicationEvents,
        [handlers, ids](DISPID id, DISPPARAMS& params, UINT* argError) -> HRESULT {
            SinkArguments args(params, argError);
            switch (id) {
                case eventid::OptionsPagesAdd: {
                    ComPtr<IDispatch> pages = args.Object(0);
                    if (!pages)
                        return args.Failure();
                    if (handlers.OptionsPagesAdd) {
                        handlers.OptionsPagesAdd(
                            std::make_shared<ComPropertyPages>(std::move(pages), ids));
                    }
                    return S_OK;
                }
                case eventid::Quit:
                    if (handlers.Quit)
                        handlers.Quit();
                    return S_OK;
                default:
                    return S_OK;
            }
        });
}

}  // namespace telvane::win32
