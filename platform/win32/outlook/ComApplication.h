#pragma once

#include <ole2.h>
#include <windows.h>

#include <memory>
#include <string>

#include "common/outlook/Application.h"
#include "platform/win32/outlook/DispatchObject.h"

namespace telvane::win32 {

// The mail client's Application, late-bound; events from ApplicationEvents.
class ComApplication final : public outlook::Application {
public:
    ComApplication(ComPtr<IDispatch> object, std::shared_ptr<DispIdCache> ids);

    std::shared_ptr<outlook::NameSpace> GetNamespace(const std::string& type) override;
    std::shared_ptr<outlook::Explorer> ActiveExplorer() override;
    std::shared_ptr<outlook::Explorers> Explorers() override;
    std::shared_ptr<outlook::Inspectors> Inspectors() override;
    outlook::Subscription Advise(const Events& handlers) override;

private:
    DispatchObject m_object;
};

}  // namespace telvane::win32
