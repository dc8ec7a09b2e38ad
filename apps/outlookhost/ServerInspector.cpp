#include "apps/outlookhost/ServerInspector.h"

#include <utility>

#include "apps/outlookhost/ServerItem.h"
#include "platform/win32/outlook/OutlookIds.h"

namespace telvane::outlookhost {

using namespace win32;

namespace {

constexpr DispatchMember kMembers[] = {{L"Class", dispid::Class},
                                       {L"CurrentItem", dispid::CurrentItem}};
constexpr std::int32_t olInspector = 35;

}  // namespace

ServerInspector::ServerInspector(std::shared_ptr<HostContext> context,
                                 std::shared_ptr<outlook::Inspector> inspector)
    : ServerObject(std::move(context)),
      m_inspector(std::move(inspector)),
      m_events(*this, DIID_InspectorEvents) {
    m_events.OnSinksChanged([this](std::size_t sinks) { Listen(sinks); });
}

void ServerInspector::Listen(std::size_t sinks) {
    if (sinks == 0) {
        m_subscription.Reset();
        return;
    }
    if (m_subscription)
        return;
    outlook::Inspector::Events events;
    events.Close = [this] {
        ComPtr<ServerInspector> self(this);
        Raise(m_events, eventid::WindowClose, "Inspector.Close", {});
    };
    m_subscription = m_inspector->Advise(events);
}

void* ServerInspector::FindInterface(REFIID iid) {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, IID_OlInspector)) {
        return static_cast<IDispatch*>(this);
    }
    if (IsEqualIID(iid, IID_IConnectionPointContainer)) {
        return static_cast<IConnectionPointContainer*>(this);
    }
    return nullptr;
}

std::span<const DispatchMember> ServerInspector::Members() const {
    return kMembers;
}

ComVariant ServerInspector::Call(DISPID id, DispatchArguments& args) {
    if (!args.IsGet())
        NoSuchMember();
    switch (id) {
        case dispid::Class:
            return ComVariant(olInspector);
        case dispid::CurrentItem:
            return ObjectValue(
                com::MakeComObject<ServerItem>(Context(), m_inspector->CurrentItem()));
        default:
            NoSuchMember();
    }
}

STDMETHODIMP ServerInspector::EnumConnectionPoints(IEnumConnectionPoints** points) {
    if (points)
        *points = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP ServerInspector::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
    return ConnectionPoint::Find({&m_events}, iid, point);
}

}  // namespace telvane::outlookhost
