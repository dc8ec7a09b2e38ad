#pragma once

#include <ole2.h>
#include <windows.h>

#include <memory>
#include <string>

#include "common/outlook/ContactItem.h"
#include "platform/win32/outlook/DispatchObject.h"

namespace telvane::win32 {

// A contact, late-bound; events from ItemEvents.
class ComContactItem final : public outlook::ContactItem,
                             public std::enable_shared_from_this<ComContactItem> {
public:
    ComContactItem(ComPtr<IDispatch> object, std::shared_ptr<DispIdCache> ids);

    Variant GetProperty(const std::string& name) override;
    std::shared_ptr<outlook::ContactItem> AsContactItem() override;
    std::string Get(outlook::ContactField field) override;
    void Put(outlook::ContactField field, const std::string& text) override;
    void Save() override;
    void Close(outlook::OlInspectorClose saveMode) override;
    outlook::Subscription Advise(const Events& handlers) override;

private:
    DispatchObject m_object;
};

}  // namespace telvane::win32
