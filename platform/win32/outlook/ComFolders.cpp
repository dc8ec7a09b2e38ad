#include "platform/win32/outlook/ComFolders.h"

#include <utility>

#include "platform/win32/outlook/ComMAPIFolder.h"

namespace telvane::win32 {

ComFolders::ComFolders(ComPtr<IDispatch> object, std::shared_ptr<DispIdCache> ids)
    : m_object(std::move(object), ObjectKind::Folders, std::move(ids)) {}

std::int32_t ComFolders::Count() {
    return m_object.Get(Member::Count).ToInt32();
}

std::shared_ptr<outlook::MAPIFolder> ComFolders::Item(std::int32_t index) {
    const ComVariant args[] = {ComVariant(index)};
    ComVariant folder = m_object.Call(Member::Item, args);
    return std::make_shared<ComMAPIFolder>(DispatchObject::RequireObject(folder, "Item"),
                                           m_object.Ids());
}

}  // namespace telvane::win32
