#include "platform/win32/outlook/ComPropertyPages.h"

#include <utility>

namespace telvane::win32 {

ComPropertyPages::ComPropertyPages(ComPtr<IDispatch> object, std::shared_ptr<DispIdCache> ids)
    : m_object(std::move(object), ObjectKind::PropertyPages, std::move(ids)) {}

void ComPropertyPages::Add(const Variant& page, const std::string& title) {
    const ComVariant args[] = {ComVariant(page), ComVariant(title)};
    m_object.Call(Member::Add, args);
}

}  // namespace telvane::win32
