#include "apps/outlookhost/ServerPropertyPages.h"

#include <utility>

#include "platform/win32/outlook/OutlookIds.h"

namespace telvane::outlookhost {

using namespace win32;

namespace {

constexpr DispatchMember kMembers[] = {{L"Class", dispid::Class}, {L"Add", dispid::Add}};
constexpr std::int32_t olPropertyPages = 71;

}  // namespace

ServerPropertyPages::ServerPropertyPages(std::shared_ptr<HostContext> context,
                                         std::shared_ptr<outlook::PropertyPages> pages)
    : ServerObject(std::move(context)), m_pages(std::move(pages)) {}

void* ServerPropertyPages::FindInterface(REFIID iid) {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, IID_OlPropertyPages)) {
        return static_cast<IDispatch*>(this);
    }
    return nullptr;
}

std::span<const DispatchMember> ServerPropertyPages::Members() const {
    return kMembers;
}

ComVariant ServerPropertyPages::Call(DISPID id, DispatchArguments& args) {
    switch (id) {
        case dispid::Class:
            if (!args.IsGet())
                NoSuchMember();
            return ComVariant(olPropertyPages);
        case dispid::Add:
            if (!args.IsMethod())
                NoSuchMember();
            // Title is optional.
            m_pages->Add(args.Value(0).ToVariant(), args.Has(1) ? args.Text(1) : std::string());
            return {};
        default:
            NoSuchMember();
    }
}

}  // namespace telvane::outlookhost
