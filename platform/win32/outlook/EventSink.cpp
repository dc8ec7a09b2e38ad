#include "platform/win32/outlook/EventSink.h"

#include <ocidl.h>

#include <utility>

#include "platform/win32/outlook/ComError.h"

namespace telvane::win32 {

outlook::Subscription EventSink::Advise(IUnknown* source, const IID& events, Decoder decoder) {
    ComPtr<IConnectionPointContainer> container;
    HRESULT hr = source->QueryInterface(IID_IConnectionPointContainer, container.PutVoid());
    if (FAILED(hr))
        RaiseComError(hr, nullptr, "IConnectionPointContainer");
    ComPtr<IConnectionPoint> point;
    hr = container->FindConnectionPoint(events, point.Put());
    if (FAILED(hr))
        RaiseComError(hr, nullptr, "FindConnectionPoint");
    ComPtr<EventSink> sink = com::MakeComObject<EventSink>(events, std::move(decoder));
    DWORD cookie = 0;
    hr = point->Advise(static_cast<IDispatch*>(sink.Get()), &cookie);
    if (FAILED(hr))
        RaiseComError(hr, nullptr, "Advise");
    return outlook::Subscription([point, sink, cookie] {
        sink->Disconnect();
        HRESULT unadvised = point->Unadvise(cookie);
        if (FAILED(unadvised))
            RaiseComError(unadvised, nullptr, "Unadvise");
    });
}

EventSink::EventSink(const IID& events, Decoder decoder)
    : m_events(events), m_decoder(std::move(decoder)) {}

void* EventSink::FindInterface(REFIID iid) {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, m_events)) {
        return static_cast<IDispatch*>(this);
    }
    return nullptr;
}

STDMETHODIMP EventSink::GetTypeInfoCount(UINT* count) {
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

STDMETHODIMP EventSink::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info)
        *info = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP EventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID, DISPID* ids) {
    for (UINT i = 0; ids && i < count; ++i)
        ids[i] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
}

STDMETHODIMP EventSink::Invoke(DISPID id, REFIID iid, LCID, WORD, DISPPARAMS* params,
                               VARIANT* result, EXCEPINFO* info, UINT* argError) {
    if (result)
        ::VariantInit(result);
    if (!IsEqualIID(iid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    // Events the product does not handle, and calls after Disconnect, are simply accepted.
    if (!m_decoder)
        return S_OK;
    DISPPARAMS none{};
    // The decoder may end the subscription (and so this sink's last reference elsewhere).
    ComPtr<EventSink> self = ComPtr<EventSink>(this);
    try {
        // A copy, since ending the subscription empties m_decoder; copying may throw as well.
        const Decoder decoder = m_decoder;
        return decoder(id, params ? *params : none, argError);
    } catch (...) {
        return ReportCurrentException(info);
    }
}

}  // namespace telvane::win32
