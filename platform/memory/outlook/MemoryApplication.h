#pragma once

#include <memory>
#include <string>

#include "common/outlook/Application.h"
#include "platform/memory/outlook/ClientObject.h"

namespace telvane::memory {

class MemoryApplication : public outlook::Application, private ClientObject {
public:
    explicit MemoryApplication(std::shared_ptr<ClientState> state);

    std::shared_ptr<outlook::NameSpace> GetNamespace(const std::string& type) override;
    std::shared_ptr<outlook::Explorer> ActiveExplorer() override;
    std::shared_ptr<outlook::Explorers> Explorers() override;
    std::shared_ptr<outlook::Inspectors> Inspectors() override;
    outlook::Subscription Advise(const Events& handlers) override;
};

}  // namespace telvane::memory
