#include "apps/outlookhost/ServerFolders.h"

#include <utility>

#include "apps/outlookhost/ServerFolder.h"
#include "platform/win32/outlook/OutlookIds.h"

namespace telvane::outlookhost {

using namespace win32;

namespace {

constexpr DispatchMember kMembers[] = {
    {L"Class", dispid::Class}, {L"Count", dispid::Count}, {L"Item", dispid::Item}};
constexpr std::int32_t olFolders = 15;

}  // namespace

ServerFolders::ServerFolders(std::shared_ptr<HostContext> context,
                             std::shared_ptr<outlook::Folders> folders)
    : ServerObject(std::move(context)), m_folders(std::move(folders)) {}

void* ServerFolders::FindInterface(REFIID iid) {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, IID_OlFolders)) {
        return static_cast<IDispatch*>(this);
    }
    return nullptr;
}

std::span<const DispatchMember> ServerFolders::Members() const {
    return kMembers;
}

ComVariant ServerFolders::Call(DISPID id, DispatchArguments& args) {
    if (!args.IsGetOrMethod())
        NoSuchMember();
    switch (id) {
        case dispid::Class:
            return ComVariant(olFolders);
        case dispid::Count:
            return ComVariant(m_folders->Count());
        case dispid::Item:
            return ObjectValue(
                com::MakeComObject<ServerFolder>(Context(), m_folders->Item(args.Int32(0))));
        default:
            NoSuchMember();
    }
}

}  // namespace telvane::outlookhost
