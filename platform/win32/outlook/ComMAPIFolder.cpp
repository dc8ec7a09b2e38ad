#include "platform/win32/outlook/ComMAPIFolder.h"

#include <utility>

#include "platform/win32/outlook/ComFolders.h"
#include "platform/win32/outlook/ComItems.h"

namespace telvane::win32 {

ComMAPIFolder::ComMAPIFolder(ComPtr<IDispatch> object, std::shared_ptr<DispIdCache> ids)
    : m_object(std::move(object), ObjectKind::MAPIFolder, std::move(ids)) {}

std::string ComMAPIFolder::Name() {
    return m_object.Get(Member::Name).ToText();
}

std::string ComMAPIFolder::EntryID() {
    return m_object.Get(Member::EntryID).ToText();
}

std::int32_t ComMAPIFolder::DefaultItemType() {
    return m_object.Get(Member::DefaultItemType).ToInt32();
}

std::shared_ptr<outlook::Folders> ComMAPIFolder::Folders() {
    return std::make_shared<ComFolders>(
        DispatchObject::RequireObject(m_object.Get(Member::Folders), "Folders"), m_object.Ids());
}

std::shared_ptr<outlook::Items> ComMAPIFolder::Items() {
    return std::make_shared<ComItems>(
        DispatchObject::RequireObject(m_object.Get(Member::Items), "Items"), m_object.Ids());
}

}  // namespace telvane::win32
