#pragma once

#include <memory>

#include "apps/outlookhost/ConnectionPoint.h"
#include "apps/outlookhost/ServerObject.h"
#include "common/outlook/Inspectors.h"

namespace telvane::outlookhost {

// The item windows over COM (_Inspectors): Count, with InspectorsEvents.
class ServerInspectors final : public ServerObject<IDispatch, IConnectionPointContainer> {
public:
    ServerInspectors(std::shared_ptr<HostContext> context,
                     std::shared_ptr<outlook::Inspectors> inspectors);

    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** points) override;
    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

protected:
    void* FindInterface(REFIID iid) override;
    std::span<const DispatchMember> Members() const override;
    ComVariant Call(DISPID id, DispatchArguments& args) override;

private:
    void Listen(std::size_t sinks);

    std::shared_ptr<outlook::Inspectors> m_inspectors;
    ConnectionPoint m_events;
    outlook::Subscription m_subscription;
};

}  // namespace telvane::outlookhost
