#pragma once

#include <ole2.h>
#include <windows.h>

#include <memory>
#include <string>

#include "common/outlook/Folders.h"
#include "platform/win32/outlook/DispatchObject.h"

namespace telvane::win32 {

class ComFolders final : public outlook::Folders {
public:
    ComFolders(ComPtr<IDispatch> object, std::shared_ptr<DispIdCache> ids);

    std::int32_t Count() override;
    std::shared_ptr<outlook::MAPIFolder> Item(std::int32_t index) override;

private:
    DispatchObject m_object;
};

}  // namespace telvane::win32
