#include "tests/win32/FakeDispatch.h"

namespace telvane::win32::test {

HRESULT FakeDispatch::GetTypeInfoCount(UINT* count) {
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT FakeDispatch::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info)
        *info = nullptr;
    return E_NOTIMPL;
}

HRESULT FakeDispatch::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return DISP_E_UNKNOWNNAME;
}

HRESULT FakeDispatch::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
    return DISP_E_MEMBERNOTFOUND;
}

void* FakeDispatch::FindInterface(REFIID iid) {
    if (iid == IID_IUnknown || iid == IID_IDispatch)
        return static_cast<IDispatch*>(this);
    for (const IID& answer : m_answers) {
        if (answer == iid)
            return static_cast<IDispatch*>(this);
    }
    return nullptr;
}

}  // namespace telvane::win32::test
