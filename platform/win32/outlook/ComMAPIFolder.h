#pragma once

#include <ole2.h>
#include <windows.h>

#include <memory>
#include <string>

#include "common/outlook/MAPIFolder.h"
#include "platform/win32/outlook/DispatchObject.h"

namespace telvane::win32 {

class ComMAPIFolder final : public outlook::MAPIFolder {
public:
    ComMAPIFolder(ComPtr<IDispatch> object, std::shared_ptr<DispIdCache> ids);

    std::string Name() override;
    std::string EntryID() override;
    std::int32_t DefaultItemType() override;
    std::shared_ptr<outlook::Folders> Folders() override;
    std::shared_ptr<outlook::Items> Items() override;

private:
    DispatchObject m_object;
};

}  // namespace telvane::win32
