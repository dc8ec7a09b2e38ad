#include "platform/memory/registry/MemoryRegistry.h"
#include "tests/registry/RegistryUnderTest.h"

namespace telvane {

std::unique_ptr<RegistryApi> MakeRegistryUnderTest() {
    return std::make_unique<memory::MemoryRegistry>();
}

void SetEnvironmentForTest(RegistryApi& registry, const std::string& name,
                           const std::string& value) {
    dynamic_cast<memory::MemoryRegistry&>(registry).SetEnvironment(name, value);
}

}  // namespace telvane
