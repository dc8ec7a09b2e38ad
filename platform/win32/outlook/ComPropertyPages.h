#pragma once

#include <ole2.h>
#include <windows.h>

#include <memory>
#include <string>

#include "common/outlook/PropertyPages.h"
#include "platform/win32/outlook/DispatchObject.h"

namespace telvane::win32 {

class ComPropertyPages final : public outlook::PropertyPages {
public:
    ComPropertyPages(ComPtr<IDispatch> object, std::shared_ptr<DispIdCache> ids);

    void Add(const Variant& page, const std::string& title) override;

private:
    DispatchObject m_object;
};

}  // namespace telvane::win32
