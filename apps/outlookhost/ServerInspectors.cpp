#include "apps/outlookhost/ServerInspectors.h"

#include <utility>

#include "apps/outlookhost/ServerInspector.h"
#include "platform/win32/outlook/OutlookIds.h"

namespace telvane::outlookhost {

using namespace win32;

namespace {

constexpr DispatchMember kMembers[] = {{L"Class", dispid::Class}, {L"Count", dispid::Count}};
constexpr std::int32_t olInspectors = 61;

}  // namespace

ServerInspectors::ServerInspectors(std::shared_ptr<HostContext> context,
                                   std::shared_ptr<outlook::Inspectors> inspectors)
    : ServerObject(std::move(context)),
      m_inspectors(std::move(inspectors)),
      m_events(*this, DIID_InspectorsEvents) {
    m_events.OnSinksChanged([this](std::size_t sinks) { Listen(sinks); });
}

void ServerInspectors::Listen(std::size_t sinks) {
    if (sinks == 0) {
        m_subscription.Reset();
        return;
    }
    if (m_subscription)
        return;
    outlook::Inspectors::Events events;
    events.NewInspector = [this](const std::shared_ptr<outlook::Inspector>& inspector) {
        ComPtr<ServerInspectors> self(this);
        auto server = com::MakeComObject<ServerInspector>(Context(), inspector);
        Raise(m_events, eventid::NewInspector, "Inspectors.NewInspector", {ObjectValue(server)});
    };
    m_subscription = m_inspectors->Advise(events);
}

void* ServerInspectors::FindInterface(REFIID iid) {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, IID_OlInspectors)) {
        return static_cast<IDispatch*>(this);
    }
    if (IsEqualIID(iid, IID_IConnectionPointContainer)) {
        return static_cast<IConnectionPointContainer*>(this);
    }
    return nullptr;
}

std::span<const DispatchMember> ServerInspectors::Members() const {
    return kMembers;
}

ComVariant ServerInspectors::Call(DISPID id, DispatchArguments& args) {
    if (!args.IsGet())
        NoSuchMember();
    switch (id) {
        case dispid::Class:
            return ComVariant(olInspectors);
        case dispid::Count:
            return ComVariant(m_inspectors->Count());
        default:
            NoSuchMember();
    }
}

STDMETHODIMP ServerInspectors::EnumConnectionPoints(IEnumConnectionPoints** points) {
    if (points)
        *points = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP ServerInspectors::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
    return ConnectionPoint::Find({&m_events}, iid, point);
}

}  // namespace telvane::outlookhost
