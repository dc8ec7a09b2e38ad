#pragma once

#include <ocidl.h>
#include <ole2.h>
#include <windows.h>

#include "TelvanePPE.h"
#include "platform/win32/com/ComObject.h"
#include "platform/win32/com/DispatchImpl.h"
#include "platform/win32/optionspage/EventSinkList.h"
#include "platform/win32/optionspage/PropertyPageAdapter.h"

namespace telvane::win32 {

// The COM class TelvanePPE.TelvanePage: the options page control the mail client creates for
// the product's tab and calls through PropertyPage. It offers what a container needs to create
// and site an ActiveX control; PropertyPageAdapter does the page's own work.
class TelvanePageObject final
    : public com::ComObject<com::DispatchImpl<_TelvanePage>, com::DispatchImpl<PropertyPage>,
                            IOleObject, IPersistStreamInit, IOleControl, IProvideClassInfo2,
                            IConnectionPointContainer, ISupportErrorInfo> {
public:
    // OLEMISC_SETCLIENTSITEFIRST | ACTIVATEWHENVISIBLE | INSIDEOUT | CANTLINKINSIDE |
    // RECOMPOSEONRESIZE, as registered.
    static constexpr DWORD MiscStatus = 0x20191;
    // The designed size, 5580 by 5400 twips, in HIMETRIC.
    static constexpr SIZEL DesignExtent = {9843, 9525};

    TelvanePageObject();

    // PropertyPage
    HRESULT STDMETHODCALLTYPE GetPageInfo(BSTR* helpFile, LONG* helpContext) override;
    HRESULT STDMETHODCALLTYPE get_Dirty(VARIANT_BOOL* dirty) override;
    HRESULT STDMETHODCALLTYPE Apply() override;

    // IOleObject
    HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override;
    HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** site) override;
    HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR application, LPCOLESTR document) override;
    HRESULT STDMETHODCALLTYPE Close(DWORD saveOption) override;
    HRESULT STDMETHODCALLTYPE SetMoniker(DWORD which, IMoniker* moniker) override;
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
    HRESULT STDMETHODCALLTYPE InitFromData(IDataObject* data, BOOL creation,
                                           DWORD reserved) override;
    HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD reserved, IDataObject** data) override;
    HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG message, IOleClientSite* site, LONG index,
                                     HWND parent, LPCRECT position) override;
    HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB** verbs) override;
    HRESULT STDMETHODCALLTYPE Update() override;
    HRESULT STDMETHODCALLTYPE IsUpToDate() override;
    HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID* clsid) override;
    HRESULT STDMETHODCALLTYPE GetUserType(DWORD form, LPOLESTR* type) override;
    HRESULT STDMETHODCALLTYPE SetExtent(DWORD aspect, SIZEL* size) override;
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, SIZEL* size) override;
    HRESULT STDMETHODCALLTYPE Advise(IAdviseSink* sink, DWORD* connection) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD connection) override;
    HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA** advise) override;
    HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD aspect, DWORD* status) override;
    HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE* palette) override;

    // IPersistStreamInit
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* clsid) override;
    HRESULT STDMETHODCALLTYPE IsDirty() override;
    HRESULT STDMETHODCALLTYPE Load(LPSTREAM stream) override;
    HRESULT STDMETHODCALLTYPE Save(LPSTREAM stream, BOOL clearDirty) override;
    HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER* size) override;
    HRESULT STDMETHODCALLTYPE InitNew() override;

    // IOleControl
    HRESULT STDMETHODCALLTYPE GetControlInfo(CONTROLINFO* info) override;
    HRESULT STDMETHODCALLTYPE OnMnemonic(MSG* message) override;
    HRESULT STDMETHODCALLTYPE OnAmbientPropertyChange(DISPID id) override;
    HRESULT STDMETHODCALLTYPE FreezeEvents(BOOL freeze) override;

    // IProvideClassInfo2
    HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* guid) override;

    // IConnectionPointContainer
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override;
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

    // ISupportErrorInfo
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override;

protected:
    void* FindInterface(REFIID iid) override;

private:
    PropertyPageAdapter m_page;
    ComPtr<IOleClientSite> m_clientSite;
    ComPtr<IOleAdviseHolder> m_adviseHolder;
    EventSinkList m_eventSinks;
    SIZEL m_extent = DesignExtent;
};

}  // namespace telvane::win32
