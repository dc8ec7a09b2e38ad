#pragma once

#include <ole2.h>
#include <windows.h>

#include <functional>

#include "common/outlook/Subscription.h"
#include "platform/win32/com/ComObject.h"
#include "platform/win32/com/ComPtr.h"

namespace telvane::win32 {

// The object the mail client calls back on one connection point of one of its objects. It
// answers for the event dispinterface it was advised on and for IDispatch, hands each call to
// a decoder, and turns anything the decoder throws into a failed HRESULT with EXCEPINFO: an
// exception must never travel into the mail client. Like every object of the DLL it keeps the
// module loaded while the mail client holds it.
class EventSink final : public com::ComObject<IDispatch> {
public:
    // Returns S_OK, or a DISP_E_ code for arguments it cannot use; may throw.
    using Decoder = std::function<HRESULT(DISPID id, DISPPARAMS& params, UINT* argError)>;

    // Advises a new sink on source's connection point for events; the subscription unadvises.
    static outlook::Subscription Advise(IUnknown* source, const IID& events, Decoder decoder);

    EventSink(const IID& events, Decoder decoder);
    // After this no call reaches the decoder, even if the source keeps calling.
    void Disconnect() { m_decoder = nullptr; }

    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                               DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                        VARIANT* result, EXCEPINFO* info, UINT* argError) override;

protected:
    void* FindInterface(REFIID iid) override;

private:
    IID m_events;
    Decoder m_decoder;
};

}  // namespace telvane::win32
