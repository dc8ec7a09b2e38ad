#include "apps/outlookhost/ServerNameSpace.h"

#include <utility>

#include "apps/outlookhost/ServerFolders.h"
#include "platform/win32/outlook/OutlookIds.h"

namespace telvane::outlookhost {

using namespace win32;

namespace {

constexpr DispatchMember kMembers[] = {{L"Class", dispid::Class}, {L"Folders", dispid::Folders}};
constexpr std::int32_t olNamespace = 1;

}  // namespace

ServerNameSpace::ServerNameSpace(std::shared_ptr<HostContext> context,
                                 std::shared_ptr<outlook::NameSpace> nameSpace)
    : ServerObject(std::move(context)), m_nameSpace(std::move(nameSpace)) {}

void* ServerNameSpace::FindInterface(REFIID iid) {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, IID_OlNameSpace)) {
        return static_cast<IDispatch*>(this);
    }
    return nullptr;
}

std::span<const DispatchMember> ServerNameSpace::Members() const {
    return kMembers;
}

ComVariant ServerNameSpace::Call(DISPID id, DispatchArguments& args) {
    if (!args.IsGet())
        NoSuchMember();
    switch (id) {
        case dispid::Class:
            return ComVariant(olNamespace);
        case dispid::Folders:
            return ObjectValue(
                com::MakeComObject<ServerFolders>(Context(), m_nameSpace->Folders()));
        default:
            NoSuchMember();
    }
}

}  // namespace telvane::outlookhost
