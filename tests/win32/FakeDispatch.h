#pragma once

#include <initializer_list>
#include <vector>

#include "tests/win32/StackComObject.h"

namespace telvane::win32::test {

// An IDispatch with no members that also answers the IIDs it is given (the mail client's
// _Application, PropertyPageSite, an event interface). Every call of a member fails.
class FakeDispatch : public StackComObject<IDispatch> {
public:
    FakeDispatch(std::initializer_list<IID> answers = {}) : m_answers(answers) {}

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override;

protected:
    void* FindInterface(REFIID iid) override;

private:
    std::vector<IID> m_answers;
};

}  // namespace telvane::win32::test
