#include "apps/outlookhost/ServerItems.h"

#include <utility>

#include "apps/outlookhost/ServerItem.h"
#include "platform/win32/outlook/OutlookIds.h"

namespace telvane::outlookhost {

using namespace win32;

namespace {

constexpr DispatchMember kMembers[] = {
    {L"Class", dispid::Class}, {L"Count", dispid::Count}, {L"Item", dispid::Item}};
constexpr std::int32_t olItems = 16;

}  // namespace

ServerItems::ServerItems(std::shared_ptr<HostContext> context,
                         std::shared_ptr<outlook::Items> items)
    : ServerObject(std::move(context)), m_items(std::move(items)) {}

void* ServerItems::FindInterface(REFIID iid) {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, IID_OlItems)) {
        return static_cast<IDispatch*>(this);
    }
    return nullptr;
}

std::span<const DispatchMember> ServerItems::Members() const {
    return kMembers;
}

ComVariant ServerItems::Call(DISPID id, DispatchArguments& args) {
    if (!args.IsGetOrMethod())
        NoSuchMember();
    switch (id) {
        case dispid::Class:
            return ComVariant(olItems);
        case dispid::Count:
            return ComVariant(m_items->Count());
        case dispid::Item:
            return ObjectValue(
                com::MakeComObject<ServerItem>(Context(), m_items->Item(args.Int32(0))));
        default:
            NoSuchMember();
    }
}

}  // namespace telvane::outlookhost
