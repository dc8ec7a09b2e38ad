// The mail-client host: serves the in-memory mail client over COM with the mail client's
// identifiers, loads the registered add-ins as the mail client does, and runs the scenario
// steps given on the command line (see ScenarioRunner). Exit code 0 when every check held.
#include <cwchar>
#include <string>
#include <vector>

#include "apps/outlookhost/ComApartment.h"
#include "apps/outlookhost/ScenarioRunner.h"
#include "platform/win32/com/TextConversion.h"

int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> steps;
    for (int i = 1; i < argc; ++i) {
        steps.push_back(telvane::win32::com::Utf8FromWide({argv[i], std::wcslen(argv[i])}));
    }
    telvane::outlookhost::ComApartment apartment;
    if (FAILED(apartment.Result()))
        return 2;
    telvane::outlookhost::ScenarioRunner runner;
    return runner.Run(steps) ? 0 : 1;
}
