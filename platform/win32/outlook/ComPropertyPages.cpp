#include "platform/win32/outlook/ComPropertyPages.h"

#include <utility>

namespace telvane::win32 {

ComPropertyPages::ComPropertyPages(ComPtr<IDispatch> object, std::shared_ptr<DispIdCache> ids)
    : m_object(std::move(object), ObjectKind::PropertyPages, std::move(ids)) {}

void ComPropertyPages::Add(const Variant& page, const std::string& title) {
    std::vector<ComVariant> args;
    args.emplace_back(page);
    args.emplace_back(title);
    m_object.Call("Add", std::move(args));
}

}  // namespace telvane::win32
