#pragma once

#include <memory>

#include "apps/outlookhost/ServerObject.h"
#include "common/outlook/NameSpace.h"

namespace telvane::outlookhost {

// The "MAPI" namespace over COM (_NameSpace).
class ServerNameSpace final : public ServerObject<IDispatch> {
public:
    ServerNameSpace(std::shared_ptr<HostContext> context,
                    std::shared_ptr<outlook::NameSpace> nameSpace);

protected:
    void* FindInterface(REFIID iid) override;
    std::span<const DispatchMember> Members() const override;
    ComVariant Call(DISPID id, DispatchArguments& args) override;

private:
    std::shared_ptr<outlook::NameSpace> m_nameSpace;
};

}  // namespace telvane::outlookhost
