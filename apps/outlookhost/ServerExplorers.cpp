#include "apps/outlookhost/ServerExplorers.h"

#include <utility>

#include "platform/win32/outlook/OutlookIds.h"

namespace telvane::outlookhost {

using namespace win32;

namespace {

constexpr DispatchMember kMembers[] = {{L"Class", dispid::Class}, {L"Count", dispid::Count}};
constexpr std::int32_t olExplorers = 60;

}  // namespace

ServerExplorers::ServerExplorers(std::shared_ptr<HostContext> context,
                                 std::shared_ptr<outlook::Explorers> explorers)
    : ServerObject(std::move(context)), m_explorers(std::move(explorers)) {}

void* ServerExplorers::FindInterface(REFIID iid) {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, IID_OlExplorers)) {
        return static_cast<IDispatch*>(this);
    }
    return nullptr;
}

std::span<const DispatchMember> ServerExplorers::Members() const {
    return kMembers;
}

ComVariant ServerExplorers::Call(DISPID id, DispatchArguments& args) {
    if (!args.IsGet())
        NoSuchMember();
    switch (id) {
        case dispid::Class:
            return ComVariant(olExplorers);
        case dispid::Count:
            return ComVariant(m_explorers->Count());
        default:
            NoSuchMember();
    }
}

}  // namespace telvane::outlookhost
