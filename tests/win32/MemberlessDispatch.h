#pragma once

#include <initializer_list>
#include <utility>
#include <vector>

#include "tests/win32/StackComObject.h"

namespace telvane::win32::test {

// A stack fake whose IDispatch has no members (no ambient properties, no methods: every call
// fails) and which answers the further IIDs it is given with that IDispatch, as the mail
// client's objects are asked for by their own interface IDs (_Application, PropertyPageSite,
// an event interface).
template <class... Interfaces>
class MemberlessDispatch : public StackComObject<Interfaces..., IDispatch> {
public:
    explicit MemberlessDispatch(std::vector<IID> answers = {}) : m_answers(std::move(answers)) {}
    MemberlessDispatch(std::initializer_list<IID> answers) : m_answers(answers) {}

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info)
            *info = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return DISP_E_MEMBERNOTFOUND;
    }

protected:
    // The IDispatch for IID_IDispatch and for the IIDs given; null for any other.
    void* FindDispatch(REFIID iid) {
        if (iid == IID_IDispatch)
            return static_cast<IDispatch*>(this);
        for (const IID& answer : m_answers) {
            if (answer == iid)
                return static_cast<IDispatch*>(this);
        }
        return nullptr;
    }

private:
    std::vector<IID> m_answers;
};

}  // namespace telvane::win32::test
