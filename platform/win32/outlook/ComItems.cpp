#include "platform/win32/outlook/ComItems.h"

#include <utility>

#include "platform/win32/outlook/ComItem.h"

namespace telvane::win32 {

ComItems::ComItems(ComPtr<IDispatch> object, std::shared_ptr<DispIdCache> ids)
    : m_object(std::move(object), ObjectKind::Items, std::move(ids)) {}

std::int32_t ComItems::Count() {
    return m_object.Get(Member::Count).ToInt32();
}

std::shared_ptr<outlook::Item> ComItems::Item(std::int32_t index) {
    const ComVariant args[] = {ComVariant(index)};
    ComVariant item = m_object.Call(Member::Item, args);
    return std::make_shared<ComItem>(DispatchObject::RequireObject(item, "Item"), m_object.Ids());
}

}  // namespace telvane::win32
