#pragma once

#include <ocidl.h>
#include <ole2.h>
#include <windows.h>

#include "platform/win32/com/ComObject.h"
#include "platform/win32/com/ComPtr.h"
#include "platform/win32/optionspage/EventSinkList.h"

namespace telvane::win32 {

// The connection point of the page's event interface __TelvanePage, which declares no events:
// sinks are accepted and held, and nothing is ever fired. It keeps its container, which owns
// the sink list, alive.
class PageConnectionPoint final : public com::ComObject<IConnectionPoint> {
public:
    PageConnectionPoint(IConnectionPointContainer* container, REFIID events, EventSinkList& sinks);

    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
    HRESULT STDMETHODCALLTYPE
    GetConnectionPointContainer(IConnectionPointContainer** container) override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) override;

protected:
    void* FindInterface(REFIID iid) override;

private:
    ComPtr<IConnectionPointContainer> m_container;
    IID m_events;
    EventSinkList& m_sinks;
};

}  // namespace telvane::win32
