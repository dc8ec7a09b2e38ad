#pragma once

#include <memory>

#include "Telvane.h"
#include "platform/win32/com/ComObject.h"
#include "platform/win32/com/DispatchImpl.h"

namespace telvane {
class TLConnect;
}

namespace telvane::win32 {

// The COM class Telvane.TLConnect: the mail client creates it and calls IDTExtensibility2.
// Each call goes to the portable telvane::TLConnect, which shares the process's AddInLibrary.
class TLConnectObject final
    : public com::ComObject<com::DispatchImpl<_TLConnect>, com::DispatchImpl<_IDTExtensibility2>,
                            ISupportErrorInfo, IProvideClassInfo> {
public:
    TLConnectObject();
    ~TLConnectObject() override;

    // _IDTExtensibility2
    HRESULT STDMETHODCALLTYPE OnConnection(IDispatch* application, ext_ConnectMode mode,
                                           IDispatch* addInInstance, SAFEARRAY** custom) override;
    HRESULT STDMETHODCALLTYPE OnDisconnection(ext_DisconnectMode mode, SAFEARRAY** custom) override;
    HRESULT STDMETHODCALLTYPE OnAddInsUpdate(SAFEARRAY** custom) override;
    HRESULT STDMETHODCALLTYPE OnStartupComplete(SAFEARRAY** custom) override;
    HRESULT STDMETHODCALLTYPE OnBeginShutdown(SAFEARRAY** custom) override;

    // ISupportErrorInfo
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override;
    // IProvideClassInfo
    HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** info) override;

protected:
    void* FindInterface(REFIID iid) override;

private:
    std::unique_ptr<telvane::TLConnect> m_connect;
};

}  // namespace telvane::win32
