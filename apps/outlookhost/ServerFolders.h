#pragma once

#include <memory>

#include "apps/outlookhost/ServerObject.h"
#include "common/outlook/Folders.h"

namespace telvane::outlookhost {

// A folder collection over COM (_Folders): Count and the 1-based Item.
class ServerFolders final : public ServerObject<IDispatch> {
public:
    ServerFolders(std::shared_ptr<HostContext> context, std::shared_ptr<outlook::Folders> folders);

protected:
    void* FindInterface(REFIID iid) override;
    std::span<const DispatchMember> Members() const override;
    ComVariant Call(DISPID id, DispatchArguments& args) override;

private:
    std::shared_ptr<outlook::Folders> m_folders;
};

}  // namespace telvane::outlookhost
