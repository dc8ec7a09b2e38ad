#include "platform/win32/optionspage/TelvanePageObject.h"

#include <olectl.h>

#include "platform/win32/com/ComBoundary.h"
#include "platform/win32/com/ModuleTypeLibrary.h"
#include "platform/win32/optionspage/OffscreenCanvas.h"
#include "platform/win32/optionspage/PageConnectionPoint.h"
#include "platform/win32/optionspage/PageProcess.h"

namespace telvane::win32 {
namespace {

// KEYMODIFIERS of ocidl.idl, which MinGW's headers leave out.
constexpr DWORD KeyModifierShift = 1;

}  // namespace

TelvanePageObject::TelvanePageObject()
    : m_process(PageProcess::Acquire()),
      m_page(m_process->Library(), m_process->Host()),
      m_inPlace({[this](HWND window) { m_page.WindowCreated(window); },
                 [this](HWND window) { m_page.WindowDestroying(window); },
                 [this](int width, int height) { m_page.Resize(width, height); },
                 [this] {
                     // From a window procedure, as the forms' own input is: the error waits
                     // in the host for the next place that can raise it.
                     try {
                         m_page.Focus();
                     } catch (...) {
                         m_process->Host().KeepError(std::current_exception());
                     }
                 }}) {}

TelvanePageObject::~TelvanePageObject() {
    // While the adapter and the sites are all still there. This runs inside Release, which
    // cannot report a failure: it is dropped rather than end the mail client.
    com::ComBoundary::Call([&] { return m_inPlace.Deactivate(); });
}

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
        // A page cannot stay active in a site it no longer has.
        if (site != m_clientSite.Get())
            m_inPlace.Deactivate();
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
    // Nothing of the page is kept by saving it, so every close option closes the same way.
    const HRESULT hr = com::ComBoundary::Call([&] { return m_inPlace.Deactivate(); });
    if (m_adviseHolder)
        m_adviseHolder->SendOnClose();
    return FAILED(hr) ? hr : S_OK;
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

HRESULT TelvanePageObject::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND, LPCRECT) {
    // The page lives only in place, inside its container's window: where and how large comes
    // from the in-place site, never from the verb's window and rectangle.
    IOleClientSite* activeSite = m_clientSite ? m_clientSite.Get() : site;
    return com::ComBoundary::Call([&]() -> HRESULT {
        switch (verb) {
            case OLEIVERB_INPLACEACTIVATE:
                return m_inPlace.Activate(activeSite, false, this);
            case OLEIVERB_PRIMARY:
            case OLEIVERB_SHOW:
            case OLEIVERB_UIACTIVATE:
                return m_inPlace.Activate(activeSite, true, this);
            case OLEIVERB_HIDE:
                return m_inPlace.Hide();
            case OLEIVERB_DISCARDUNDOSTATE:
                return S_OK;  // there is never anything to undo
            default:
                if (verb > 0) {
                    // Unknown verbs of the object's own act as the primary one.
                    const HRESULT hr = m_inPlace.Activate(activeSite, true, this);
                    return FAILED(hr) ? hr : OLEOBJ_S_INVALIDVERB;
                }
                // OLEIVERB_OPEN and OLEIVERB_PROPERTIES: no window of its own, no property
                // pages.
                return E_NOTIMPL;
        }
    });
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

// IOleWindow

HRESULT TelvanePageObject::GetWindow(HWND* window) {
    if (!window)
        return E_POINTER;
    *window = m_inPlace.Window();
    return *window ? S_OK : E_FAIL;
}

HRESULT TelvanePageObject::ContextSensitiveHelp(BOOL) {
    return E_NOTIMPL;
}

// IOleInPlaceObject

HRESULT TelvanePageObject::InPlaceDeactivate() {
    return com::ComBoundary::Call([&] { return m_inPlace.Deactivate(); });
}

HRESULT TelvanePageObject::UIDeactivate() {
    return com::ComBoundary::Call([&] { return m_inPlace.UIDeactivate(); });
}

HRESULT TelvanePageObject::SetObjectRects(LPCRECT position, LPCRECT clip) {
    return com::ComBoundary::Call([&] { return m_inPlace.SetRects(position, clip); });
}

HRESULT TelvanePageObject::ReactivateAndUndo() {
    return INPLACE_E_NOTUNDOABLE;
}

// IOleInPlaceActiveObject

HRESULT TelvanePageObject::TranslateAccelerator(LPMSG message) {
    if (!message)
        return E_POINTER;
    HWND window = m_inPlace.Window();
    if (!window || (message->hwnd != window && !::IsChild(window, message->hwnd)))
        return S_FALSE;
    if (message->message == WM_KEYDOWN && message->wParam == VK_TAB &&
        ::GetKeyState(VK_CONTROL) >= 0 && ::GetKeyState(VK_MENU) >= 0) {
        return MoveFocus(message, ::GetKeyState(VK_SHIFT) < 0);
    }
    if (message->message == WM_SYSKEYDOWN && m_accelerators.Has(message->wParam))
        return OnMnemonic(message) == S_OK ? S_OK : S_FALSE;
    // Enter on the page's button, and whatever else the page's own keyboard takes.
    return com::ComBoundary::Call(
        [&] { return m_page.PreTranslateMessage(*message) ? S_OK : S_FALSE; });
}

HRESULT TelvanePageObject::MoveFocus(MSG* message, bool backwards) {
    const HRESULT moved =
        com::ComBoundary::Call([&] { return m_page.MoveFocus(backwards) ? S_OK : S_FALSE; });
    if (moved != S_FALSE)
        return moved;
    // Past the last control (or before the first) the focus belongs to the dialog again.
    if (IOleControlSite* site = m_inPlace.ControlSite()) {
        const HRESULT hr = site->TranslateAccelerator(message, backwards ? KeyModifierShift : 0);
        if (hr == S_OK)
            return S_OK;
    }
    return S_FALSE;
}

HRESULT TelvanePageObject::OnFrameWindowActivate(BOOL) {
    return S_OK;
}

HRESULT TelvanePageObject::OnDocWindowActivate(BOOL) {
    return S_OK;
}

HRESULT TelvanePageObject::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) {
    return S_OK;  // no toolbars to place
}

HRESULT TelvanePageObject::EnableModeless(BOOL) {
    return S_OK;
}

// IViewObject2

HRESULT TelvanePageObject::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC drawOn,
                                LPCRECTL bounds, LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR),
                                ULONG_PTR) {
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (!drawOn || !bounds)
        return E_INVALIDARG;
    RECT area = {bounds->left, bounds->top, bounds->right, bounds->bottom};
    ::FillRect(drawOn, &area, ::GetSysColorBrush(COLOR_BTNFACE));
    HWND window = m_inPlace.Window();
    RECT client = {};
    if (!window || !::GetClientRect(window, &client) || client.right <= 0 || client.bottom <= 0)
        return S_OK;
    // The live window with its controls, printed at its own origin and then put where the
    // container asks: printing children straight into an offset context misplaces them.
    OffscreenCanvas canvas(drawOn, client.right, client.bottom);
    if (!canvas.Context())
        return S_OK;
    ::FillRect(canvas.Context(), &client, ::GetSysColorBrush(COLOR_BTNFACE));
    ::SendMessageW(window, WM_PRINT, reinterpret_cast<WPARAM>(canvas.Context()),
                   PRF_CLIENT | PRF_CHILDREN | PRF_ERASEBKGND);
    ::StretchBlt(drawOn, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 canvas.Context(), 0, 0, client.right, client.bottom, SRCCOPY);
    return S_OK;
}

HRESULT TelvanePageObject::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC,
                                       LOGPALETTE** colors) {
    if (!colors)
        return E_POINTER;
    *colors = nullptr;
    return S_FALSE;  // system colours only
}

HRESULT TelvanePageObject::Freeze(DWORD, LONG, void*, DWORD* freeze) {
    if (freeze)
        *freeze = 0;
    return E_NOTIMPL;
}

HRESULT TelvanePageObject::Unfreeze(DWORD) {
    return E_NOTIMPL;
}

HRESULT TelvanePageObject::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) {
    m_viewSink = ComPtr<IAdviseSink>(sink);
    m_viewAspects = aspects;
    m_viewFlags = flags;
    return S_OK;
}

HRESULT TelvanePageObject::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
    if (aspects)
        *aspects = m_viewAspects;
    if (flags)
        *flags = m_viewFlags;
    if (sink)
        return m_viewSink.CopyTo(sink);
    return S_OK;
}

HRESULT TelvanePageObject::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
    return GetExtent(aspect, size);
}

// IQuickActivate: the client site, the view's sink and the event sink in one call.

HRESULT TelvanePageObject::QuickActivate(QACONTAINER* container, QACONTROL* control) {
    if (!container || !control)
        return E_POINTER;
    if (container->cbSize < sizeof(QACONTAINER) || control->cbSize < sizeof(QACONTROL))
        return E_INVALIDARG;
    HRESULT hr = SetClientSite(container->pClientSite);
    if (FAILED(hr))
        return hr;
    if (container->pAdviseSink)
        SetAdvise(DVASPECT_CONTENT, 0, container->pAdviseSink);
    control->dwMiscStatus = MiscStatus;
    control->dwViewStatus = VIEWSTATUS_OPAQUE;
    control->dwEventCookie = 0;
    control->dwPropNotifyCookie = 0;  // the page has no bindable properties
    control->dwPointerActivationPolicy = 0;
    if (container->pUnkEventSink) {
        ComPtr<IConnectionPoint> point;
        hr = FindConnectionPoint(__uuidof(__TelvanePage), point.Put());
        if (SUCCEEDED(hr))
            hr = point->Advise(container->pUnkEventSink, &control->dwEventCookie);
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

HRESULT TelvanePageObject::SetContentExtent(LPSIZEL size) {
    return SetExtent(DVASPECT_CONTENT, size);
}

HRESULT TelvanePageObject::GetContentExtent(LPSIZEL size) {
    return GetExtent(DVASPECT_CONTENT, size);
}

// Persistence: the page keeps no properties of its own, so loading starts it as InitNew does
// and saving writes nothing.

HRESULT TelvanePageObject::GetClassID(CLSID* clsid) {
    return GetUserClassID(clsid);
}

HRESULT TelvanePageObject::IsDirty() {
    return S_FALSE;
}

HRESULT TelvanePageObject::InitNew() {
    return Initialise();
}

HRESULT TelvanePageObject::Load(LPSTREAM stream) {
    return stream ? Initialise() : E_POINTER;
}

HRESULT TelvanePageObject::Save(LPSTREAM stream, BOOL) {
    return stream ? S_OK : E_POINTER;
}

HRESULT TelvanePageObject::GetSizeMax(ULARGE_INTEGER* size) {
    if (!size)
        return E_POINTER;
    size->QuadPart = 0;
    return S_OK;
}

HRESULT TelvanePageObject::Load(IPropertyBag* bag, IErrorLog*) {
    return bag ? Initialise() : E_POINTER;
}

HRESULT TelvanePageObject::Save(IPropertyBag* bag, BOOL, BOOL) {
    return bag ? S_OK : E_POINTER;
}

HRESULT TelvanePageObject::InitNew(IStorage* storage) {
    return storage ? Initialise() : E_POINTER;
}

HRESULT TelvanePageObject::Load(IStorage* storage) {
    return storage ? Initialise() : E_POINTER;
}

HRESULT TelvanePageObject::Save(IStorage* storage, BOOL) {
    return storage ? S_OK : E_POINTER;
}

HRESULT TelvanePageObject::SaveCompleted(IStorage*) {
    return S_OK;
}

HRESULT TelvanePageObject::HandsOffStorage() {
    return S_OK;
}

HRESULT TelvanePageObject::Initialise() {
    return com::ComBoundary::Call([&] {
        m_page.InitNew();
        m_accelerators = AcceleratorTable(m_page.AccessKeys());
        return S_OK;
    });
}

// IOleControl

HRESULT TelvanePageObject::GetControlInfo(CONTROLINFO* info) {
    if (!info)
        return E_POINTER;
    if (info->cb < sizeof(CONTROLINFO))
        return E_INVALIDARG;
    info->hAccel = m_accelerators.Get();
    info->cAccel = m_accelerators.Count();
    info->dwFlags = 0;  // Enter and Esc are the dialog's
    return S_OK;
}

HRESULT TelvanePageObject::OnMnemonic(MSG* message) {
    if (!message)
        return E_POINTER;
    if (message->message != WM_SYSKEYDOWN && message->message != WM_SYSCHAR &&
        message->message != WM_KEYDOWN && message->message != WM_CHAR) {
        return S_FALSE;
    }
    const auto key = static_cast<char>(message->wParam & 0xFF);
    return com::ComBoundary::Call([&] { return m_page.PressAccessKey(key) ? S_OK : S_FALSE; });
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
    if (iid == IID_IOleInPlaceObject || iid == IID_IOleWindow)
        return static_cast<IOleInPlaceObject*>(this);
    if (iid == IID_IOleInPlaceActiveObject)
        return static_cast<IOleInPlaceActiveObject*>(this);
    if (iid == IID_IViewObject2 || iid == IID_IViewObject)
        return static_cast<IViewObject2*>(this);
    if (iid == IID_IQuickActivate)
        return static_cast<IQuickActivate*>(this);
    if (iid == IID_IPersistStreamInit || iid == IID_IPersist) {
        return static_cast<IPersistStreamInit*>(this);
    }
    if (iid == IID_IPersistPropertyBag)
        return static_cast<IPersistPropertyBag*>(this);
    if (iid == IID_IPersistStorage)
        return static_cast<IPersistStorage*>(this);
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
