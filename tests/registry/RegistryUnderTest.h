#pragma once

#include <memory>
#include <string>

#include "registry/RegistryApi.h"

namespace telvane {

// The registry the shared suites run on. Each platform links one factory file that defines
// these two: MemoryRegistryFactory.cpp here, a Win32 one for the real registry under Wine.
std::unique_ptr<RegistryApi> MakeRegistryUnderTest();

// Makes name=value visible to the ExpandEnvironmentStringsA of a registry made above.
void SetEnvironmentForTest(RegistryApi& registry, const std::string& name,
                           const std::string& value);

}  // namespace telvane
