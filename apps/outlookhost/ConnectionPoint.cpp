#include "apps/outlookhost/ConnectionPoint.h"

#include <olectl.h>

#include <algorithm>

#include "platform/win32/outlook/ComError.h"

namespace telvane::outlookhost {

ConnectionPoint::ConnectionPoint(IConnectionPointContainer& owner, const IID& events)
    : m_owner(owner), m_events(events) {}

HRESULT ConnectionPoint::Fire(DISPID id, std::vector<ComVariant>& args, EXCEPINFO* info) {
    std::vector<VARIANT> reversed;
    for (auto it = args.rbegin(); it != args.rend(); ++it)
        reversed.push_back(*it->Get());
    DISPPARAMS params{};
    params.rgvarg = reversed.empty() ? nullptr : reversed.data();
    params.cArgs = static_cast<UINT>(reversed.size());
    // A sink may unadvise (itself or others) while it runs.
    auto sinks = m_sinks;
    HRESULT first = S_OK;
    for (auto& [cookie, sink] : sinks) {
        EXCEPINFO sinkInfo{};
        UINT argError = 0;
        HRESULT hr = sink->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                                  nullptr, &sinkInfo, &argError);
        if (FAILED(hr) && SUCCEEDED(first)) {
            first = hr;
            if (info)
                *info = sinkInfo;
        } else {
            ::SysFreeString(sinkInfo.bstrSource);
            ::SysFreeString(sinkInfo.bstrDescription);
            ::SysFreeString(sinkInfo.bstrHelpFile);
        }
    }
    return first;
}

HRESULT ConnectionPoint::Find(std::initializer_list<ConnectionPoint*> points, REFIID iid,
                              IConnectionPoint** point) {
    if (!point)
        return E_POINTER;
    *point = nullptr;
    for (ConnectionPoint* each : points) {
        if (IsEqualIID(each->m_events, iid)) {
            each->AddRef();
            *point = each;
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}

STDMETHODIMP ConnectionPoint::QueryInterface(REFIID iid, void** object) {
    if (!object)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IConnectionPoint)) {
        *object = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP ConnectionPoint::GetConnectionInterface(IID* iid) {
    if (!iid)
        return E_POINTER;
    *iid = m_events;
    return S_OK;
}

STDMETHODIMP ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
    if (!container)
        return E_POINTER;
    m_owner.AddRef();
    *container = &m_owner;
    return S_OK;
}

STDMETHODIMP ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
    if (!cookie)
        return E_POINTER;
    *cookie = 0;
    if (!sink)
        return E_POINTER;
    // The event interface if the sink declares it, else plain IDispatch: the calls are the same.
    ComPtr<IDispatch> dispatch;
    if (FAILED(sink->QueryInterface(m_events, dispatch.PutVoid())) &&
        FAILED(sink->QueryInterface(IID_IDispatch, dispatch.PutVoid()))) {
        return CONNECT_E_CANNOTCONNECT;
    }
    DWORD added = ++m_lastCookie;
    m_sinks.emplace_back(added, std::move(dispatch));
    if (m_sinksChanged) {
        try {
            m_sinksChanged(m_sinks.size());
        } catch (...) {
            // The owner could not listen to its own source: this sink would never hear a thing.
            m_sinks.pop_back();
            return win32::ReportCurrentException(nullptr);
        }
    }
    *cookie = added;
    return S_OK;
}

STDMETHODIMP ConnectionPoint::Unadvise(DWORD cookie) {
    auto found = std::find_if(m_sinks.begin(), m_sinks.end(),
                              [cookie](const auto& entry) { return entry.first == cookie; });
    if (found == m_sinks.end())
        return CONNECT_E_NOCONNECTION;
    // Released after the list no longer names it: the sink's release may re-enter.
    ComPtr<IDispatch> sink = std::move(found->second);
    m_sinks.erase(found);
    if (m_sinksChanged) {
        try {
            m_sinksChanged(m_sinks.size());
        } catch (...) {
            // Stopping to listen has nothing to undo.
        }
    }
    return S_OK;
}

STDMETHODIMP ConnectionPoint::EnumConnections(IEnumConnections** connections) {
    if (connections)
        *connections = nullptr;
    return E_NOTIMPL;
}

}  // namespace telvane::outlookhost
