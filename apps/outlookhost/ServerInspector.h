#pragma once

#include <memory>

#include "apps/outlookhost/ConnectionPoint.h"
#include "apps/outlookhost/ServerObject.h"
#include "common/outlook/Inspector.h"

namespace telvane::outlookhost {

// An item window over COM (_Inspector), with InspectorEvents.
class ServerInspector final : public ServerObject<IDispatch, IConnectionPointContainer> {
public:
    ServerInspector(std::shared_ptr<HostContext> context,
                    std::shared_ptr<outlook::Inspector> inspector);

    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** points) override;
    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

protected:
    void* FindInterface(REFIID iid) override;
    std::span<const DispatchMember> Members() const override;
    ComVariant Call(DISPID id, DispatchArguments& args) override;

private:
    void Listen(std::size_t sinks);

    std::shared_ptr<outlook::Inspector> m_inspector;
    ConnectionPoint m_events;
    outlook::Subscription m_subscription;
};

}  // namespace telvane::outlookhost
