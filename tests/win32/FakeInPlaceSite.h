#pragma once

#include <ocidl.h>

#include <utility>
#include <vector>

#include "tests/support/RecordingOleSite.h"
#include "tests/win32/MemberlessDispatch.h"

namespace telvane::win32::test {

// The recording container on a test's stack, over a real window of the test; its IDispatch
// also answers the IIDs it is given (the mail client's PropertyPageSite).
class FakeInPlaceSite
    : public testsupport::RecordingOleSite<
          MemberlessDispatch<IOleClientSite, IOleInPlaceSite, IOleControlSite, IOleInPlaceFrame>> {
public:
    FakeInPlaceSite(HWND window, RECT position, std::vector<IID> answers = {})
        : RecordingOleSite(window, position, std::move(answers)) {}

protected:
    void* FindInterface(REFIID iid) override {
        if (iid == IID_IUnknown)
            return static_cast<IOleClientSite*>(this);
        if (void* site = FindSiteInterface(iid))
            return site;
        return FindDispatch(iid);
    }
};

}  // namespace telvane::win32::test
