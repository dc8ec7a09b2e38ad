#include "apps/outlookhost/ServerFolder.h"

#include <utility>

#include "apps/outlookhost/ServerFolders.h"
#include "apps/outlookhost/ServerItems.h"
#include "platform/win32/outlook/OutlookIds.h"

namespace telvane::outlookhost {

using namespace win32;

namespace {

constexpr DispatchMember kMembers[] = {
    {L"Class", dispid::Class},     {L"Name", dispid::Name},
    {L"EntryID", dispid::EntryID}, {L"DefaultItemType", dispid::DefaultItemType},
    {L"Folders", dispid::Folders}, {L"Items", dispid::Items},
};
constexpr std::int32_t olFolder = 2;

}  // namespace

ServerFolder::ServerFolder(std::shared_ptr<HostContext> context,
                           std::shared_ptr<outlook::MAPIFolder> folder)
    : ServerObject(std::move(context)), m_folder(std::move(folder)) {}

void* ServerFolder::FindInterface(REFIID iid) {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, IID_OlMAPIFolder)) {
        return static_cast<IDispatch*>(this);
    }
    return nullptr;
}

std::span<const DispatchMember> ServerFolder::Members() const {
    return kMembers;
}

ComVariant ServerFolder::Call(DISPID id, DispatchArguments& args) {
    if (!args.IsGet())
        NoSuchMember();
    switch (id) {
        case dispid::Class:
            return ComVariant(olFolder);
        case dispid::Name:
            return ComVariant(m_folder->Name());
        case dispid::EntryID:
            return ComVariant(m_folder->EntryID());
        case dispid::DefaultItemType:
            return ComVariant(m_folder->DefaultItemType());
        case dispid::Folders:
            return ObjectValue(com::MakeComObject<ServerFolders>(Context(), m_folder->Folders()));
        case dispid::Items:
            return ObjectValue(com::MakeComObject<ServerItems>(Context(), m_folder->Items()));
        default:
            NoSuchMember();
    }
}

}  // namespace telvane::outlookhost
