#pragma once

#include <memory>

#include "apps/outlookhost/ConnectionPoint.h"
#include "apps/outlookhost/ServerObject.h"
#include "common/outlook/Application.h"

namespace telvane::outlookhost {

// The mail client's Application over COM (_Application), with ApplicationEvents.
class ServerApplication final : public ServerObject<IDispatch, IConnectionPointContainer> {
public:
    ServerApplication(std::shared_ptr<HostContext> context,
                      std::shared_ptr<outlook::Application> application);

    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** points) override;
    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

protected:
    void* FindInterface(REFIID iid) override;
    std::span<const DispatchMember> Members() const override;
    ComVariant Call(DISPID id, DispatchArguments& args) override;

private:
    void Listen(std::size_t sinks);

    std::shared_ptr<outlook::Application> m_application;
    ConnectionPoint m_events;
    outlook::Subscription m_subscription;
};

}  // namespace telvane::outlookhost
