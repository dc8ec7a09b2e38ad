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

HRESULT FakeClientSite::GetTypeInfoCount(UINT* count) {
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT FakeClientSite::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info)
        *info = nullptr;
    return E_NOTIMPL;
}

HRESULT FakeClientSite::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return DISP_E_UNKNOWNNAME;
}

HRESULT FakeClientSite::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                               UINT*) {
    return DISP_E_MEMBERNOTFOUND;
}

void* FakeClientSite::FindInterface(REFIID iid) {
    if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
        return static_cast<IOleClientSite*>(this);
    }
    if (iid == IID_IDispatch)
        return static_cast<IDispatch*>(this);
    for (const IID& answer : m_answers) {
        if (answer == iid)
            return static_cast<IDispatch*>(this);
    }
    return nullptr;
}

}  // namespace telvane::win32::test
