#pragma once

#include <initializer_list>
#include <vector>

#include "tests/win32/StackComObject.h"

namespace telvane::win32::test {

// A control's container. It answers the IIDs it is given with its IDispatch, so it can play
// the mail client's PropertyPageSite.
class FakeContainer : public StackComObject<IOleContainer, IDispatch> {
public:
    explicit FakeContainer(std::initializer_list<IID> answers = {}) : m_answers(answers) {}

    HRESULT STDMETHODCALLTYPE ParseDisplayName(IBindCtx*, LPOLESTR, ULONG*, IMoniker**) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE EnumObjects(DWORD, IEnumUnknown** objects) override {
        if (objects)
            *objects = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE LockContainer(BOOL) override { return S_OK; }

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
    void* FindInterface(REFIID iid) override {
        if (iid == IID_IUnknown || iid == IID_IOleContainer || iid == IID_IParseDisplayName) {
            return static_cast<IOleContainer*>(this);
        }
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
