#pragma once

#include <ole2.h>
#include <windows.h>

#include <span>

#include "apps/outlookhost/DispatchArguments.h"
#include "platform/win32/com/ComObject.h"
#include "platform/win32/outlook/ComError.h"
#include "platform/win32/outlook/ComVariant.h"

namespace telvane::outlookhost {

// A member name and the DISPID the server answers it with.
struct DispatchMember {
    const wchar_t* name;
    DISPID id;
};

// IDispatch for a server object without a type library: names from a table, calls to one
// function. What that function throws reaches the caller as DISP_E_EXCEPTION with EXCEPINFO
// (RaisedError) or as the bare HRESULT (DispatchArguments::Failure); it never leaves Invoke.
// Primary is IDispatch or a dual interface derived from it.
template <class Primary, class... Others>
class DispatchServer : public win32::com::ComObject<Primary, Others...> {
public:
    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        if (!count)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info)
            *info = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                        VARIANT* result, EXCEPINFO* info, UINT* argError) override;

protected:
    virtual std::span<const DispatchMember> Members() const = 0;
    // Answers one call; an id or call form the object does not have throws
    // DispatchArguments::Failure{DISP_E_MEMBERNOTFOUND}.
    virtual ComVariant Call(DISPID id, DispatchArguments& args) = 0;
};

// Answers a call form the member does not support.
[[noreturn]] void NoSuchMember();

template <class Primary, class... Others>
STDMETHODIMP DispatchServer<Primary, Others...>::GetIDsOfNames(REFIID iid, LPOLESTR* names,
                                                               UINT count, LCID, DISPID* ids) {
    if (!IsEqualIID(iid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    if (!names || !ids || count == 0)
        return E_INVALIDARG;
    HRESULT hr = S_OK;
    for (UINT i = 0; i < count; ++i)
        ids[i] = DISPID_UNKNOWN;
    // Names are matched without regard to case, as automation does (CompareStringOrdinal would
    // be Vista's).
    for (const DispatchMember& member : Members()) {
        if (::CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, member.name, -1, names[0], -1) ==
            CSTR_EQUAL) {
            ids[0] = member.id;
            break;
        }
    }
    if (ids[0] == DISPID_UNKNOWN || count > 1)
        hr = DISP_E_UNKNOWNNAME;
    return hr;
}

template <class Primary, class... Others>
STDMETHODIMP DispatchServer<Primary, Others...>::Invoke(DISPID id, REFIID iid, LCID, WORD flags,
                                                        DISPPARAMS* params, VARIANT* result,
                                                        EXCEPINFO* info, UINT* argError) {
    if (!IsEqualIID(iid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    if (!params)
        return E_INVALIDARG;
    try {
        DispatchArguments args(flags, *params, argError);
        win32::ComVariant answer = Call(id, args);
        if (result)
            *result = answer.Detach();
        return S_OK;
    } catch (const DispatchArguments::Failure& failure) {
        return failure.hr;
    } catch (...) {
        return win32::ReportCurrentException(info);
    }
}

}  // namespace telvane::outlookhost
