#pragma once

#include <memory>

#include "apps/outlookhost/ServerObject.h"
#include "common/outlook/Items.h"

namespace telvane::outlookhost {

// The items of a folder over COM (_Items): Count and the 1-based Item.
class ServerItems final : public ServerObject<IDispatch> {
public:
    ServerItems(std::shared_ptr<HostContext> context, std::shared_ptr<outlook::Items> items);

protected:
    void* FindInterface(REFIID iid) override;
    std::span<const DispatchMember> Members() const override;
    ComVariant Call(DISPID id, DispatchArguments& args) override;

private:
    std::shared_ptr<outlook::Items> m_items;
};

}  // namespace telvane::outlookhost
