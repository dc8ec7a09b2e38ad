#pragma once

#include <ole2.h>
#include <windows.h>

#include <memory>
#include <string>

#include "common/outlook/Item.h"
#include "platform/win32/outlook/DispatchObject.h"

namespace telvane::win32 {

// An item of a kind not known yet. Items of every kind share one identifier cache: the mail
// client numbers item properties after their MAPI property ids, the same for a name on every
// kind of item (Class is 0xF00A on all of them).
class ComItem final : public outlook::Item {
public:
    ComItem(ComPtr<IDispatch> object, std::shared_ptr<DispIdCache> ids);

    Variant GetProperty(const std::string& name) override;
    // QueryInterface for _ContactItem, as a typed assignment does; raises 13 when refused.
    std::shared_ptr<outlook::ContactItem> AsContactItem() override;

private:
    DispatchObject m_object;
};

}  // namespace telvane::win32
