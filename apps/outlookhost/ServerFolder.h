#pragma once

#include <memory>

#include "apps/outlookhost/ServerObject.h"
#include "common/outlook/MAPIFolder.h"

namespace telvane::outlookhost {

// A folder over COM (MAPIFolder).
class ServerFolder final : public ServerObject<IDispatch> {
public:
    ServerFolder(std::shared_ptr<HostContext> context, std::shared_ptr<outlook::MAPIFolder> folder);

protected:
    void* FindInterface(REFIID iid) override;
    std::span<const DispatchMember> Members() const override;
    ComVariant Call(DISPID id, DispatchArguments& args) override;

private:
    std::shared_ptr<outlook::MAPIFolder> m_folder;
};

}  // namespace telvane::outlookhost
