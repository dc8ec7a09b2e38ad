#pragma once

#include <initializer_list>
#include <vector>

#include "tests/win32/MemberlessDispatch.h"

namespace telvane::win32::test {

// A control's container. It answers the IIDs it is given with its IDispatch, so it can play
// the mail client's PropertyPageSite.
class FakeContainer : public MemberlessDispatch<IOleContainer> {
public:
    explicit FakeContainer(std::initializer_list<IID> answers = {}) : MemberlessDispatch(answers) {}

    HRESULT STDMETHODCALLTYPE ParseDisplayName(IBindCtx*, LPOLESTR, ULONG*, IMoniker**) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE EnumObjects(DWORD, IEnumUnknown** objects) override {
        if (objects)
            *objects = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE LockContainer(BOOL) override { return S_OK; }

protected:
    void* FindInterface(REFIID iid) override {
        if (iid == IID_IUnknown || iid == IID_IOleContainer || iid == IID_IParseDisplayName) {
            return static_cast<IOleContainer*>(this);
        }
        return FindDispatch(iid);
    }
};

}  // namespace telvane::win32::test
