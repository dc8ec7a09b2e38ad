#pragma once

#include <memory>

#include "apps/outlookhost/ServerObject.h"
#include "common/outlook/PropertyPages.h"

namespace telvane::outlookhost {

// The custom pages of an Options dialog being built, over COM (PropertyPages): Add.
class ServerPropertyPages final : public ServerObject<IDispatch> {
public:
    ServerPropertyPages(std::shared_ptr<HostContext> context,
                        std::shared_ptr<outlook::PropertyPages> pages);

protected:
    void* FindInterface(REFIID iid) override;
    std::span<const DispatchMember> Members() const override;
    ComVariant Call(DISPID id, DispatchArguments& args) override;

private:
    std::shared_ptr<outlook::PropertyPages> m_pages;
};

}  // namespace telvane::outlookhost
