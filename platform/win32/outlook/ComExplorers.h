#pragma once

#include <ole2.h>
#include <windows.h>

#include <memory>
#include <string>

#include "common/outlook/Explorers.h"
#include "platform/win32/outlook/DispatchObject.h"

namespace telvane::win32 {

class ComExplorers final : public outlook::Explorers {
public:
    ComExplorers(ComPtr<IDispatch> object, std::shared_ptr<DispIdCache> ids);

    std::int32_t Count() override;

private:
    DispatchObject m_object;
};

}  // namespace telvane::win32
