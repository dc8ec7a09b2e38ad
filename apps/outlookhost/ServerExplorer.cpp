#include "apps/outlookhost/ServerExplorer.h"

#include <utility>

#include "platform/win32/outlook/OutlookIds.h"

namespace telvane::outlookhost {

using namespace win32;

namespace {

constexpr DispatchMember kMembers[] = {{L"Class", dispid::Class}};
constexpr std::int32_t olExplorer = 34;

}  // namespace

ServerExplorer::ServerExplorer(std::shared_ptr<HostContext> context,
                               std::shared_ptr<outlook::Explorer> explorer)
    : ServerObject(std::move(context)),
      m_explorer(std::move(explorer)),
      m_events(*this, DIID_ExplorerEvents) {
    m_events.OnSinksChanged([this](std::size_t sinks) { Listen(sinks); });
}

void ServerExplorer::Listen(std::size_t sinks) {
    if (sinks == 0) {
        m_subscription.Reset();
        return;
    }
    if (m_subscription)
        return;
    outlook::Explorer::Events events;
    events.Close = [this] {
        ComPtr<ServerExplorer> self(this);
        Raise(m_events, eventid::WindowClose, "Explorer.Close", {});
    };
    m_subscription = m_explorer->Advise(events);
}

void* ServerExplorer::FindInterface(REFIID iid) {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, IID_OlExplorer)) {
        return static_cast<IDispatch*>(this);
    }
    if (IsEqualIID(iid, IID_IConnectionPointContainer)) {
        return static_cast<IConnectionPointContainer*>(this);
    }
    return nullptr;
}

std::span<const DispatchMember> ServerExplorer::Members() const {
    return kMembers;
}

ComVariant ServerExplorer::Call(DISPID id, DispatchArguments& args) {
    if (id != dispid::Class || !args.IsGet())
        NoSuchMember();
    return ComVariant(olExplorer);
}

STDMETHODIMP ServerExplorer::EnumConnectionPoints(IEnumConnectionPoints** points) {
    if (points)
        *points = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP ServerExplorer::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
    return ConnectionPoint::Find({&m_events}, iid, point);
}

}  // namespace telvane::outlookhost
