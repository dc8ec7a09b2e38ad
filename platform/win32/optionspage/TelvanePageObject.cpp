#include "platform/win32/optionspage/TelvanePageObject.h"

#include <olectl.h>

#include "platform/win32/com/ComBoundary.h"
#include "platform/win32/com/ModuleTypeLibrary.h"
#include "platform/win32/optionspage/PageConnectionPoint.h"
#include "platform/win32/optionspage/PageProcess.h"

namespace telvane::win32 {

TelvanePageObject::TelvanePageObject() : m_page(PageProcess::Library()) {}

// PropertyPage

HRESULT TelvanePageObject::GetPageInfo(BSTR* helpFile, LONG* helpContext) {
    return com::ComBoundary::Call([&] {
        m_page.GetPageInfo(helpFile, helpContext);
        return S_OK;
    });
}

HRESULT TelvanePageObject::get_Dirty(VARIANT_BOOL* dirty) {
    if (!dirty)
        return E_POINTER;
    return com::ComBoundary::Call([&] {
        *dirty = m_page.Dirty() ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    });
}

HRESULT TelvanePageObject::Apply() {
    return com::ComBoundary::Call([&] {
        m_page.Apply();
        return S_OK;
    });
}

// IOleObject

HRESULT TelvanePageObject::SetClientSite(IOleClientSite* site) {
    return com::ComBoundary::Call([&] {
        m_clientSite = ComPtr<IOleClientSite>(site);
        m_page.ClientSiteChanged(site);
        return S_OK;
    });
}

HRESULT TelvanePageObject::GetClientSite(IOleClientSite** site) {
    return m_clientSite.CopyTo(site);
}

HRESULT TelvanePageObject::SetHostNames(LPCOLESTR, LPCOLESTR) {
    return S_OK;
}

HRESULT TelvanePageObject::Close(DWORD) {
    if (m_adviseHolder)
        m_adviseHolder->SendOnClose();
    return S_OK;
}

HRESULT TelvanePageObject::SetMoniker(DWORD, IMoniker*) {
    return E_NOTIMPL;
}

HRESULT TelvanePageObject::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker)
        *moniker = nullptr;
    return E_NOTIMPL;
}

HRESULT TelvanePageObject::InitFromData(IDataObject*, BOOL, DWORD) {
    return E_NOTIMPL;
}

HRESULT TelvanePageObject::GetClipboardData(DWORD, IDataObject** data) {
    if (data)
        *data = nullptr;
    return E_NOTIMPL;
}

HRESULT TelvanePageObject::DoVerb(LONG verb, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT) {
    switch (verb) {
        case OLEIVERB_PRIMARY:
        case OLEIVERB_SHOW:
        case OLEIVERB_INPLACEACTIVATE:
        case OLEIVERB_UIACTIVATE:
        case OLEIVERB_HIDE:
            // The page draws nothing of its own here: its window comes from the forms layer.
            return S_OK;
        default:
            return OLEOBJ_S_INVALIDVERB;
    }
}

HRESULT TelvanePageObject::EnumVerbs(IEnumOLEVERB** verbs) {
    if (verbs)
        *verbs = nullptr;
    return OLE_S_USEREG;
}

HRESULT TelvanePageObject::Update() {
    return S_OK;
}

HRESULT TelvanePageObject::IsUpToDate() {
    return S_OK;
}

HRESULT TelvanePageObject::GetUserClassID(CLSID* clsid) {
    if (!clsid)
        return E_POINTER;
    *clsid = __uuidof(::TelvanePage);
    return S_OK;
}

HRESULT TelvanePageObject::GetUserType(DWORD, LPOLESTR* type) {
    if (type)
        *type = nullptr;
    return OLE_S_USEREG;
}

HRESULT TelvanePageObject::SetExtent(DWORD aspect, SIZEL* size) {
    if (!size)
        return E_POINTER;
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    m_extent = *size;
    return S_OK;
}

HRESULT TelvanePageObject::GetExtent(DWORD aspect, SIZEL* size) {
    if (!size)
        return E_POINTER;
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    *size = m_extent;
    return S_OK;
}

HRESULT TelvanePageObject::Advise(IAdviseSink* sink, DWORD* connection) {
    if (!connection)
        return E_POINTER;
    *connection = 0;
    if (!m_adviseHolder) {
        const HRESULT hr = ::CreateOleAdviseHolder(m_adviseHolder.Put());
        if (FAILED(hr))
            return hr;
    }
    return m_adviseHolder->Advise(sink, connection);
}

HRESULT TelvanePageObject::Unadvise(DWORD connection) {
    if (!m_adviseHolder)
        return OLE_E_NOCONNECTION;
    return m_adviseHolder->Unadvise(connection);
}

HRESULT TelvanePageObject::EnumAdvise(IEnumSTATDATA** advise) {
    if (!advise)
        return E_POINTER;
    *advise = nullptr;
    if (!m_adviseHolder)
        return S_OK;
    return m_adviseHolder->EnumAdvise(advise);
}

HRESULT TelvanePageObject::GetMiscStatus(DWORD, DWORD* status) {
    if (!status)
        return E_POINTER;
    *status = MiscStatus;
    return S_OK;
}

HRESULT TelvanePageObject::SetColorScheme(LOGPALETTE*) {
    return E_NOTIMPL;
}

// IPersistStreamInit: the page keeps no properties of its own.

HRESULT TelvanePageObject::GetClassID(CLSID* clsid) {
    return GetUserClassID(clsid);
}

HRESULT TelvanePageObject::IsDirty() {
    return S_FALSE;
}

HRESULT TelvanePageObject::Load(LPSTREAM) {
    return S_OK;
}

HRESULT TelvanePageObject::Save(LPSTREAM, BOOL) {
    return S_OK;
}

HRESULT TelvanePageObject::GetSizeMax(ULARGE_INTEGER* size) {
    if (!size)
        return E_POINTER;
    size->QuadPart = 0;
    return S_OK;
}

HRESULT TelvanePageObject::InitNew() {
    return com::ComBoundary::Call([&] {
        m_page.InitNew();
        return S_OK;
    });
}

// IOleControl

HRESULT TelvanePageObject::GetControlInfo(CONTROLINFO* info) {
    if (!info)
        return E_POINTER;
    info->hAccel = nullptr;
    info->cAccel = 0;
    info->dwFlags = 0;
    return S_OK;
}

HRESULT TelvanePageObject::OnMnemonic(MSG*) {
    return S_OK;
}

HRESULT TelvanePageObject::OnAmbientPropertyChange(DISPID) {
    return S_OK;
}

HRESULT TelvanePageObject::FreezeEvents(BOOL) {
    return S_OK;
}

// IProvideClassInfo2

HRESULT TelvanePageObject::GetClassInfo(ITypeInfo** info) {
    if (!info)
        return E_POINTER;
    *info = nullptr;
    ComPtr<ITypeInfo> classInfo;
    const HRESULT hr = com::ComBoundary::Call(
        [&] { return com::ModuleTypeLibrary::TypeInfoOf(__uuidof(::TelvanePage), classInfo); });
    if (FAILED(hr))
        return hr;
    return classInfo.CopyTo(info);
}

HRESULT TelvanePageObject::GetGUID(DWORD kind, GUID* guid) {
    if (!guid)
        return E_POINTER;
    *guid = GUID_NULL;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID)
        return E_INVALIDARG;
    *guid = __uuidof(__TelvanePage);
    return S_OK;
}

// IConnectionPointContainer

HRESULT TelvanePageObject::EnumConnectionPoints(IEnumConnectionPoints** points) {
    if (points)
        *points = nullptr;
    return E_NOTIMPL;
}

HRESULT TelvanePageObject::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
    if (!point)
        return E_POINTER;
    *point = nullptr;
    if (iid != __uuidof(__TelvanePage))
        return CONNECT_E_NOCONNECTION;
    return com::ComBoundary::Call([&] {
        auto connectionPoint = com::MakeComObject<PageConnectionPoint>(
            static_cast<IConnectionPointContainer*>(this), iid, m_eventSinks);
        return connectionPoint->QueryInterface(IID_IConnectionPoint,
                                               reinterpret_cast<void**>(point));
    });
}

// ISupportErrorInfo

HRESULT TelvanePageObject::InterfaceSupportsErrorInfo(REFIID iid) {
    return iid == __uuidof(_TelvanePage) || iid == __uuidof(PropertyPage) ? S_OK : S_FALSE;
}

void* TelvanePageObject::FindInterface(REFIID iid) {
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(_TelvanePage)) {
        return static_cast<_TelvanePage*>(this);
    }
    if (iid == __uuidof(PropertyPage))
        return static_cast<PropertyPage*>(this);
    if (iid == IID_IOleObject)
        return static_cast<IOleObject*>(this);
    if (iid == IID_IPersistStreamInit || iid == IID_IPersist) {
        return static_cast<IPersistStreamInit*>(this);
    }
    if (iid == IID_IOleControl)
        return static_cast<IOleControl*>(this);
    if (iid == IID_IProvideClassInfo2 || iid == IID_IProvideClassInfo) {
        return static_cast<IProvideClassInfo2*>(this);
    }
    if (iid == IID_IConnectionPointContainer) {
        return static_cast<IConnectionPointContainer*>(this);
    }
    if (iid == IID_ISupportErrorInfo)
        return static_cast<ISupportErrorInfo*>(this);
    return nullptr;
}

}  // namespace telvane::win32
