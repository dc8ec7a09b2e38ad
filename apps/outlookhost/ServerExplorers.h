#pragma once

#include <memory>

#include "apps/outlookhost/ServerObject.h"
#include "common/outlook/Explorers.h"

namespace telvane::outlookhost {

// The explorer windows over COM (_Explorers): Count.
class ServerExplorers final : public ServerObject<IDispatch> {
public:
    ServerExplorers(std::shared_ptr<HostContext> context,
                    std::shared_ptr<outlook::Explorers> explorers);

protected:
    void* FindInterface(REFIID iid) override;
    std::span<const DispatchMember> Members() const override;
    ComVariant Call(DISPID id, DispatchArguments& args) override;

private:
    std::shared_ptr<outlook::Explorers> m_explorers;
};

}  // namespace telvane::outlookhost
