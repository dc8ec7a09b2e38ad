#include "tests/win32/FakeClientSite.h"

namespace telvane::win32::test {

HRESULT FakeClientSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker)
        *moniker = nullptr;
    return E_NOTIMPL;
}

HRESULT FakeClientSite::GetContainer(IOleContainer** container) {
    if (!container)
        return E_POINTER;
    *container = m_container;
    if (!m_container)
        return E_NOINTERFACE;
    m_container->AddRef();
    return S_OK;
}

void* FakeClientSite::FindInterface(REFIID iid) {
    if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
        return static_cast<IOleClientSite*>(this);
    }
    return FindDispatch(iid);
}

}  // namespace telvane::win32::test
