// Product headers come before <windows.h>: cRegistry's constants share names with its macros.
#include "addin/TLConnect.h"
#include "common/outlook/RaisedError.h"

#include "platform/win32/addin/TLConnectObject.h"

#include "platform/win32/addin/AddInProcess.h"
#include "platform/win32/com/ComBoundary.h"
#include "platform/win32/com/ModuleTypeLibrary.h"
#include "platform/win32/outlook/OutlookBridge.h"

namespace telvane::win32 {
namespace {

// The mail client's _Application.
constexpr GUID ApplicationIid = {
    0x00063001, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

}  // namespace

TLConnectObject::TLConnectObject()
    : m_connect(std::make_unique<telvane::TLConnect>(AddInProcess::Library())) {}

TLConnectObject::~TLConnectObject() = default;

HRESULT TLConnectObject::OnConnection(IDispatch* application, ext_ConnectMode, IDispatch*,
                                      SAFEARRAY**) {
    return com::ComBoundary::Call([&] {
        ComPtr<IDispatch> outlook;
        if (application) {
            const HRESULT hr = application->QueryInterface(ApplicationIid, outlook.PutVoid());
            if (FAILED(hr)) {
                throw RaisedError(hr, AddInLibrary::FileName,
                                  "OnConnection was not given the mail client's Application");
            }
        }
        m_connect->OnConnection(WrapApplication(outlook.Get()));
        return S_OK;
    });
}

HRESULT TLConnectObject::OnDisconnection(ext_DisconnectMode, SAFEARRAY**) {
    return com::ComBoundary::Call([&] {
        m_connect->OnDisconnection();
        return S_OK;
    });
}

HRESULT TLConnectObject::OnAddInsUpdate(SAFEARRAY**) {
    return com::ComBoundary::Call([&] {
        m_connect->OnAddInsUpdate();
        return S_OK;
    });
}

HRESULT TLConnectObject::OnStartupComplete(SAFEARRAY**) {
    return com::ComBoundary::Call([&] {
        m_connect->OnStartupComplete();
        return S_OK;
    });
}

HRESULT TLConnectObject::OnBeginShutdown(SAFEARRAY**) {
    return com::ComBoundary::Call([&] {
        m_connect->OnBeginShutdown();
        return S_OK;
    });
}

HRESULT TLConnectObject::InterfaceSupportsErrorInfo(REFIID iid) {
    return iid == __uuidof(_IDTExtensibility2) || iid == __uuidof(_TLConnect) ? S_OK : S_FALSE;
}

HRESULT TLConnectObject::GetClassInfo(ITypeInfo** info) {
    if (!info)
        return E_POINTER;
    *info = nullptr;
    ComPtr<ITypeInfo> classInfo;
    const HRESULT hr = com::ComBoundary::Call(
        [&] { return com::ModuleTypeLibrary::TypeInfoOf(__uuidof(::TLConnect), classInfo); });
    if (FAILED(hr))
        return hr;
    return classInfo.CopyTo(info);
}

void* TLConnectObject::FindInterface(REFIID iid) {
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(_TLConnect)) {
        return static_cast<_TLConnect*>(this);
    }
    if (iid == __uuidof(_IDTExtensibility2))
        return static_cast<_IDTExtensibility2*>(this);
    if (iid == IID_ISupportErrorInfo)
        return static_cast<ISupportErrorInfo*>(this);
    if (iid == IID_IProvideClassInfo)
        return static_cast<IProvideClassInfo*>(this);
    return nullptr;
}

}  // namespace telvane::win32
