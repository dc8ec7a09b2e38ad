#pragma once

#include <memory>

#include "apps/outlookhost/ConnectionPoint.h"
#include "apps/outlookhost/ServerObject.h"
#include "common/outlook/ContactItem.h"

namespace telvane::outlookhost {

// An item of any kind over COM, with ItemEvents. It answers QueryInterface for _ContactItem
// only when the mail client takes it as a contact.
class ServerItem final : public ServerObject<IDispatch, IConnectionPointContainer> {
public:
    ServerItem(std::shared_ptr<HostContext> context, std::shared_ptr<outlook::Item> item);

    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** points) override;
    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

protected:
    void* FindInterface(REFIID iid) override;
    std::span<const DispatchMember> Members() const override;
    ComVariant Call(DISPID id, DispatchArguments& args) override;

private:
    // The in-memory mail client's items are all contact items underneath; one that is not a
    // contact raises on contact members itself.
    outlook::ContactItem& Contact();
    void Listen(std::size_t sinks);

    std::shared_ptr<outlook::Item> m_item;
    std::shared_ptr<outlook::ContactItem> m_asContact;  // once QueryInterface succeeded
    ConnectionPoint m_events;
    outlook::Subscription m_subscription;
};

}  // namespace telvane::outlookhost
