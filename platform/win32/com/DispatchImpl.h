#pragma once

#include <ole2.h>
#include <windows.h>

#include "platform/win32/com/ComBoundary.h"
#include "platform/win32/com/ComPtr.h"
#include "platform/win32/com/ModuleTypeLibrary.h"

namespace telvane::win32::com {

// IDispatch of Interface from the module's type library: names and calls go through the
// interface's vtable with DispInvoke. Dual interfaces answer GetTypeInfo with their dispatch
// half, as clients expect.
template <class Interface>
class DispatchImpl : public Interface {
public:
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count)
            return E_POINTER;
        *count = 1;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
        if (!info)
            return E_POINTER;
        *info = nullptr;
        if (index != 0)
            return DISP_E_BADINDEX;
        const HRESULT hr = LoadTypeInfo();
        if (FAILED(hr))
            return hr;
        return m_dispatchInfo.CopyTo(info);
    }

    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override {
        if (iid != IID_NULL)
            return DISP_E_UNKNOWNINTERFACE;
        const HRESULT hr = LoadTypeInfo();
        if (FAILED(hr))
            return hr;
        return ::DispGetIDsOfNames(m_vtableInfo.Get(), names, count, ids);
    }

    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* excepInfo,
                                     UINT* argumentError) override {
        if (iid != IID_NULL)
            return DISP_E_UNKNOWNINTERFACE;
        HRESULT hr = LoadTypeInfo();
        if (FAILED(hr))
            return hr;
        // Whatever an earlier call left must not pass for what this method raised (DispInvoke
        // itself reads the thread's error info when the method fails).
        ::SetErrorInfo(0, nullptr);
        hr = ::DispInvoke(static_cast<Interface*>(this), m_vtableInfo.Get(), id, flags, params,
                          result, excepInfo, argumentError);
        return ComBoundary::ToExcepInfo(hr, excepInfo);
    }

private:
    HRESULT LoadTypeInfo() noexcept {
        return ComBoundary::Call([this] { return LoadTypeInfoOnce(); });
    }

    HRESULT LoadTypeInfoOnce() {
        if (m_vtableInfo)
            return S_OK;
        ComPtr<ITypeInfo> info;
        HRESULT hr = ModuleTypeLibrary::TypeInfoOf(__uuidof(Interface), info);
        if (FAILED(hr))
            return hr;
        ComPtr<ITypeInfo> vtableInfo = info;
        TYPEATTR* attributes = nullptr;
        hr = info->GetTypeAttr(&attributes);
        if (FAILED(hr))
            return hr;
        const bool dualDispatch = attributes->typekind == TKIND_DISPATCH &&
                                  (attributes->wTypeFlags & TYPEFLAG_FDUAL) != 0;
        info->ReleaseTypeAttr(attributes);
        if (dualDispatch) {
            // DispInvoke needs the vtable half of a dual interface.
            HREFTYPE vtableHalf = 0;
            hr = info->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtableHalf);
            if (SUCCEEDED(hr))
                hr = info->GetRefTypeInfo(vtableHalf, vtableInfo.Put());
            if (FAILED(hr))
                return hr;
        }
        m_dispatchInfo = info;
        m_vtableInfo = vtableInfo;
        return S_OK;
    }

    ComPtr<ITypeInfo> m_dispatchInfo;
    ComPtr<ITypeInfo> m_vtableInfo;
};

}  // namespace telvane::win32::com
