#pragma once

#include <memory>

#include "apps/outlookhost/ConnectionPoint.h"
#include "apps/outlookhost/ServerObject.h"
#include "common/outlook/Explorer.h"

namespace telvane::outlookhost {

// A folder window over COM (_Explorer), with ExplorerEvents.
class ServerExplorer final : public ServerObject<IDispatch, IConnectionPointContainer> {
public:
    ServerExplorer(std::shared_ptr<HostContext> context,
                   std::shared_ptr<outlook::Explorer> explorer);

    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** points) override;
    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

protected:
    void* FindInterface(REFIID iid) override;
    std::span<const DispatchMember> Members() const override;
    ComVariant Call(DISPID id, DispatchArguments& args) override;

private:
    void Listen(std::size_t sinks);

    std::shared_ptr<outlook::Explorer> m_explorer;
    ConnectionPoint m_events;
    outlook::Subscription m_subscription;
};

}  // namespace telvane::outlookhost
