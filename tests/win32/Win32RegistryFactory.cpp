// The shared registry suites run on the real registry: Win32Registry under Wine.
#include <windows.h>

#include "platform/win32/com/TextConversion.h"
#include "platform/win32/registry/Win32Registry.h"
#include "tests/registry/RegistryUnderTest.h"

namespace telvane {

std::unique_ptr<RegistryApi> MakeRegistryUnderTest() {
    return std::make_unique<win32::Win32Registry>();
}

void SetEnvironmentForTest(RegistryApi&, const std::string& name, const std::string& value) {
    // ExpandEnvironmentStringsA reads the process's environment.
    ::SetEnvironmentVariableW(win32::com::WideFromUtf8(name).c_str(),
                              win32::com::WideFromUtf8(value).c_str());
}

}  // namespace telvane
