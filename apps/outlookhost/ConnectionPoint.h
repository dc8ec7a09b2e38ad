#pragma once

#include <ocidl.h>
#include <ole2.h>
#include <windows.h>

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

#include "platform/win32/com/ComPtr.h"
#include "platform/win32/outlook/ComVariant.h"

namespace telvane::outlookhost {

using win32::ComPtr;
using win32::ComVariant;

// One outgoing event interface of an object. It lives inside its container and shares the
// container's reference count, as connection points of the mail client do: holding the point
// keeps the object alive.
class ConnectionPoint final : public IConnectionPoint {
public:
    ConnectionPoint(IConnectionPointContainer& owner, const IID& events);
    ConnectionPoint(const ConnectionPoint&) = delete;
    ConnectionPoint& operator=(const ConnectionPoint&) = delete;

    const IID& Events() const { return m_events; }
    std::size_t SinkCount() const { return m_sinks.size(); }
    // Told the new number of sinks after each Advise and Unadvise, so the owner can listen to
    // its own source only while someone listens to it.
    void OnSinksChanged(std::function<void(std::size_t)> handler) {
        m_sinksChanged = std::move(handler);
    }

    // Calls every sink with DISPATCH_METHOD; args in the order the event declares them. Every
    // sink is called; the first failure is returned, with its EXCEPINFO in info.
    HRESULT Fire(DISPID id, std::vector<ComVariant>& args, EXCEPINFO* info);

    // FindConnectionPoint of a container with these points.
    static HRESULT Find(std::initializer_list<ConnectionPoint*> points, REFIID iid,
                        IConnectionPoint** point);

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override { return m_owner.AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return m_owner.Release(); }
    STDMETHODIMP GetConnectionInterface(IID* iid) override;
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** container) override;
    STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
    STDMETHODIMP Unadvise(DWORD cookie) override;
    STDMETHODIMP EnumConnections(IEnumConnections** connections) override;

private:
    IConnectionPointContainer& m_owner;
    IID m_events;
    std::vector<std::pair<DWORD, ComPtr<IDispatch>>> m_sinks;
    DWORD m_lastCookie = 0;
    std::function<void(std::size_t)> m_sinksChanged;
};

}  // namespace telvane::outlookhost
