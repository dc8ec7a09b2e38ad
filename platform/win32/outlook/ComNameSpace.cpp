#include "platform/win32/outlook/ComNameSpace.h"

#include <utility>

#include "platform/win32/outlook/ComFolders.h"

namespace telvane::win32 {

ComNameSpace::ComNameSpace(ComPtr<IDispatch> object, std::shared_ptr<DispIdCache> ids)
    : m_object(std::move(object), ObjectKind::NameSpace, std::move(ids)) {}

std::shared_ptr<outlook::Folders> ComNameSpace::Folders() {
    return std::make_shared<ComFolders>(
        DispatchObject::RequireObject(m_object.Get(Member::Folders), "Folders"), m_object.Ids());
}

}  // namespace telvane::win32
