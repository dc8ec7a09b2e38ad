#include "platform/win32/outlook/ComContactItem.h"

#include <utility>

#include "platform/win32/outlook/EventSink.h"
#include "platform/win32/outlook/OutlookIds.h"
#include "platform/win32/outlook/SinkArguments.h"

namespace telvane::win32 {

ComContactItem::ComContactItem(ComPtr<IDispatch> object, std::shared_ptr<DispIdCache> ids)
    : m_object(std::move(object), ObjectKind::ContactItem, std::move(ids)) {}

Variant ComContactItem::GetProperty(const std::string& name) {
    return m_object.Get(name).ToVariant();
}

std::shared_ptr<outlook::ContactItem> ComContactItem::AsContactItem() {
    return shared_from_this();
}

std::string ComContactItem::Get(outlook::ContactField field) {
    return m_object.Get(MemberOf(field)).ToText();
}

void ComContactItem::Put(outlook::ContactField field, const std::string& text) {
    m_object.Put(MemberOf(field), ComVariant(text));
}

void ComContactItem::Save() {
    m_object.Call(Member::Save);
}

void ComContactItem::Close(outlook::OlInspectorClose saveMode) {
    const ComVariant args[] = {ComVariant(static_cast<std::int32_t>(saveMode))};
    m_object.Call(Member::Close, args);
}

outlook::Subscription ComContactItem::Advise(const Events& handlers) {
    return EventSink::Advise(m_object.Object(), DIID_ItemEvents,
                             [handlers](DISPID id, DISPPARAMS& params, UINT* argError) -> HRESULT {
                                 if (id != eventid::Write)
                                     return S_OK;
                                 SinkArguments args(params, argError);
                                 VARIANT_BOOL* cancelArg = args.BoolRef(0);
                                 if (!cancelArg)
                                     return args.Failure();
                                 if (!handlers.Write)
                                     return S_OK;
                                 bool cancel = *cancelArg != VARIANT_FALSE;
                                 // Cancel is by reference: what the handler set stands even when it
                                 // then raises.
                                 try {
                                     handlers.Write(cancel);
                                 } catch (...) {
                                     *cancelArg = cancel ? VARIANT_TRUE : VARIANT_FALSE;
                                     throw;
                                 }
                                 *cancelArg = cancel ? VARIANT_TRUE : VARIANT_FALSE;
                                 return S_OK;
                             });
}

}  // namespace telvane::win32
