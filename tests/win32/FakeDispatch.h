#pragma once

#include <initializer_list>
#include <vector>

#include "tests/win32/MemberlessDispatch.h"

namespace telvane::win32::test {

// An IDispatch with no members that also answers the IIDs it is given (the mail client's
// _Application, PropertyPageSite, an event interface). Every call of a member fails.
class FakeDispatch : public MemberlessDispatch<> {
public:
    FakeDispatch(std::initializer_list<IID> answers = {}) : MemberlessDispatch(answers) {}

protected:
    void* FindInterface(REFIID iid) override;
};

}  // namespace telvane::win32::test
