#include "platform/win32/outlook/ComExplorers.h"

#include <utility>

namespace telvane::win32 {

ComExplorers::ComExplorers(ComPtr<IDispatch> object, std::shared_ptr<DispIdCache> ids)
    : m_object(std::move(object), ObjectKind::Explorers, std::move(ids)) {}

std::int32_t ComExplorers::Count() {
    return m_object.Get(Member::Count).ToInt32();
}

}  // namespace telvane::win32
