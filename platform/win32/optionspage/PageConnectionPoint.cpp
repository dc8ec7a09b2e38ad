#include "platform/win32/optionspage/PageConnectionPoint.h"

#include <olectl.h>

#include "platform/win32/com/ComBoundary.h"

namespace telvane::win32 {

PageConnectionPoint::PageConnectionPoint(IConnectionPointContainer* container, REFIID events,
                                         EventSinkList& sinks)
    : m_container(container), m_events(events), m_sinks(sinks) {}

HRESULT PageConnectionPoint::GetConnectionInterface(IID* iid) {
    if (!iid)
        return E_POINTER;
    *iid = m_events;
    return S_OK;
}

HRESULT PageConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
    return m_container.CopyTo(container);
}

HRESULT PageConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
    if (!cookie)
        return E_POINTER;
    *cookie = 0;
    if (!sink)
        return E_POINTER;
    // A sink implements the event interface, or plain IDispatch.
    ComPtr<IUnknown> events;
    if (FAILED(sink->QueryInterface(m_events, events.PutVoid())) &&
        FAILED(sink->QueryInterface(IID_IDispatch, events.PutVoid()))) {
        return CONNECT_E_CANNOTCONNECT;
    }
    return com::ComBoundary::Call([&] {
        *cookie = m_sinks.Add(events.Get());
        return S_OK;
    });
}

HRESULT PageConnectionPoint::Unadvise(DWORD cookie) {
    return m_sinks.Remove(cookie) ? S_OK : CONNECT_E_NOCONNECTION;
}

HRESULT PageConnectionPoint::EnumConnections(IEnumConnections** connections) {
    if (connections)
        *connections = nullptr;
    return E_NOTIMPL;
}

void* PageConnectionPoint::FindInterface(REFIID iid) {
    if (iid == IID_IUnknown || iid == IID_IConnectionPoint) {
        return static_cast<IConnectionPoint*>(this);
    }
    return nullptr;
}

}  // namespace telvane::win32
