#pragma once

#include <ole2.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/outlook/ComVariant.h"

namespace telvane::tests {

// What the bridge did to a set of fake objects, shared by all fakes of one test.
struct FakeLog {
    struct Call {
        DISPID id;
        WORD flags;
        // In the order the member declares them (reversed back from rgvarg).
        std::vector<win32::ComVariant> args;
        // Named arguments, as DISPIDs (a property put names DISPID_PROPERTYPUT).
        std::vector<DISPID> named;
    };

    long live = 0;                       // fake objects alive
    std::vector<std::wstring> lookedUp;  // every name passed to GetIDsOfNames
    std::vector<Call> calls;             // every Invoke that was not an event

    int Lookups(const std::wstring& name) const {
        int count = 0;
        for (const auto& each : lookedUp)
            count += each == name ? 1 : 0;
        return count;
    }
};

}  // namespace telvane::tests
