#include "platform/win32/outlook/ComItem.h"

#include <utility>

#include "common/outlook/RaisedError.h"
#include "platform/win32/outlook/ComContactItem.h"
#include "platform/win32/outlook/OutlookIds.h"

namespace telvane::win32 {

ComItem::ComItem(ComPtr<IDispatch> object, std::shared_ptr<DispIdCache> ids)
    : m_object(std::move(object), ObjectKind::Item, std::move(ids)) {}

Variant ComItem::GetProperty(const std::string& name) {
    return m_object.Get(name).ToVariant();
}

std::shared_ptr<outlook::ContactItem> ComItem::AsContactItem() {
    ComPtr<IDispatch> contact;
    m_object.Object()->QueryInterface(IID_OlContactItem, contact.PutVoid());
    if (!contact)
        throw RaisedError(RaisedError::TypeMismatch, "", "Type mismatch");
    return std::make_shared<ComContactItem>(std::move(contact), m_object.Ids());
}

}  // namespace telvane::win32
