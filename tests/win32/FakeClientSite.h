#pragma once

#include <initializer_list>
#include <vector>

#include "tests/win32/MemberlessDispatch.h"

namespace telvane::win32::test {

// A container's site for a control. It answers the IIDs it is given with its IDispatch (so it
// can play the mail client's PropertyPageSite) and hands out the container it is given.
class FakeClientSite : public MemberlessDispatch<IOleClientSite> {
public:
    explicit FakeClientSite(std::initializer_list<IID> answers = {},
                            IOleContainer* container = nullptr)
        : MemberlessDispatch(answers), m_container(container) {}

    HRESULT STDMETHODCALLTYPE SaveObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** moniker) override;
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override;
    HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

protected:
    void* FindInterface(REFIID iid) override;

private:
    IOleContainer* m_container;
};

}  // namespace telvane::win32::test
