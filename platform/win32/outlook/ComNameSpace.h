#pragma once

#include <ole2.h>
#include <windows.h>

#include <memory>
#include <string>

#include "common/outlook/NameSpace.h"
#include "platform/win32/outlook/DispatchObject.h"

namespace telvane::win32 {

class ComNameSpace final : public outlook::NameSpace {
public:
    ComNameSpace(ComPtr<IDispatch> object, std::shared_ptr<DispIdCache> ids);

    std::shared_ptr<outlook::Folders> Folders() override;

private:
    DispatchObject m_object;
};

}  // namespace telvane::win32
