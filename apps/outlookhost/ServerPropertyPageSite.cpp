#include "apps/outlookhost/ServerPropertyPageSite.h"

#include <olectl.h>

#include <utility>

#include "apps/outlookhost/ServerApplication.h"
#include "platform/win32/outlook/OutlookIds.h"

namespace telvane::outlookhost {

using namespace win32;

namespace {

constexpr DispatchMember kMembers[] = {{L"Application", dispid::Application},
                                       {L"Class", dispid::Class},
                                       {L"OnStatusChange", dispid::OnStatusChange}};
constexpr std::int32_t olPropertyPageSite = 70;

// OLE_COLOR of a system colour: the high bit and the colour's index.
constexpr std::int32_t SystemColor(int index) {
    return static_cast<std::int32_t>(0x80000000u | static_cast<unsigned>(index));
}

struct InterfaceName {
    const IID* iid;
    const char* name;
};

const InterfaceName kInterfaceNames[] = {
    {&IID_IOleClientSite, "IOleClientSite"},
    {&IID_IOleInPlaceSite, "IOleInPlaceSite"},
    {&IID_IOleInPlaceSiteEx, "IOleInPlaceSiteEx"},
    {&IID_IOleInPlaceSiteWindowless, "IOleInPlaceSiteWindowless"},
    {&IID_IOleControlSite, "IOleControlSite"},
    {&IID_IOleInPlaceFrame, "IOleInPlaceFrame"},
    {&IID_IDispatch, "IDispatch"},
    {&IID_OlPropertyPageSite, "PropertyPageSite"},
    {&IID_IServiceProvider, "IServiceProvider"},
    {&IID_IOleContainer, "IOleContainer"},
    {&IID_IAdviseSink, "IAdviseSink"},
    {&IID_IPropertyNotifySink, "IPropertyNotifySink"},
};

}  // namespace

ServerPropertyPageSite::ServerPropertyPageSite(std::shared_ptr<HostContext> context,
                                               std::shared_ptr<outlook::PropertyPageSite> site,
                                               Dialog dialog)
    : ServerObject(std::move(context)), m_site(std::move(site)), m_dialog(std::move(dialog)) {}

void ServerPropertyPageSite::Record(const std::string& call) {
    m_calls.push_back(call);
}

void ServerPropertyPageSite::Disconnect() {
    m_activeObject.Reset();
    m_dialog.statusChanged = nullptr;
    m_dialog.tabbedOut = nullptr;
}

ComPtr<IDispatch> ServerPropertyPageSite::NewApplication() {
    auto application = com::MakeComObject<ServerApplication>(Context(), m_site->Application());
    return ComPtr<IDispatch>(static_cast<IDispatch*>(application.Get()));
}

STDMETHODIMP ServerPropertyPageSite::get_Application(IDispatch** application) {
    if (!application)
        return E_POINTER;
    *application = nullptr;
    try {
        *application = NewApplication().Detach();
        return S_OK;
    } catch (...) {
        return ReportCurrentException(nullptr);
    }
}

STDMETHODIMP ServerPropertyPageSite::get_Class(LONG* objectClass) {
    if (!objectClass)
        return E_POINTER;
    *objectClass = olPropertyPageSite;
    return S_OK;
}

STDMETHODIMP ServerPropertyPageSite::get_Session(IDispatch** session) {
    if (session)
        *session = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP ServerPropertyPageSite::get_Parent(IDispatch** parent) {
    if (parent)
        *parent = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP ServerPropertyPageSite::OnStatusChange() {
    Record("PropertyPageSite::OnStatusChange");
    try {
        m_site->OnStatusChange();
        // The mail client asks the page at once whether it is dirty.
        if (m_dialog.statusChanged)
            m_dialog.statusChanged();
        return S_OK;
    } catch (...) {
        return ReportCurrentException(nullptr);
    }
}

// IOleClientSite

STDMETHODIMP ServerPropertyPageSite::SaveObject() {
    return E_NOTIMPL;
}

STDMETHODIMP ServerPropertyPageSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker)
        *moniker = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP ServerPropertyPageSite::GetContainer(IOleContainer** container) {
    Record("IOleClientSite::GetContainer");
    if (container)
        *container = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP ServerPropertyPageSite::ShowObject() {
    Record("IOleClientSite::ShowObject");
    return S_OK;
}

STDMETHODIMP ServerPropertyPageSite::OnShowWindow(BOOL) {
    return S_OK;
}

STDMETHODIMP ServerPropertyPageSite::RequestNewObjectLayout() {
    return E_NOTIMPL;
}

// IOleWindow

STDMETHODIMP ServerPropertyPageSite::GetWindow(HWND* window) {
    Record("IOleInPlaceSite::GetWindow");
    if (!window)
        return E_POINTER;
    *window = m_dialog.window;
    return m_dialog.window ? S_OK : E_FAIL;
}

STDMETHODIMP ServerPropertyPageSite::ContextSensitiveHelp(BOOL) {
    return E_NOTIMPL;
}

// IOleInPlaceSite

STDMETHODIMP ServerPropertyPageSite::CanInPlaceActivate() {
    Record("IOleInPlaceSite::CanInPlaceActivate");
    return m_dialog.window ? S_OK : S_FALSE;
}

STDMETHODIMP ServerPropertyPageSite::OnInPlaceActivate() {
    Record("IOleInPlaceSite::OnInPlaceActivate");
    return S_OK;
}

STDMETHODIMP ServerPropertyPageSite::OnUIActivate() {
    Record("IOleInPlaceSite::OnUIActivate");
    return S_OK;
}

STDMETHODIMP ServerPropertyPageSite::GetWindowContext(IOleInPlaceFrame** frame,
                                                      IOleInPlaceUIWindow** document,
                                                      LPRECT position, LPRECT clip,
                                                      LPOLEINPLACEFRAMEINFO info) {
    Record("IOleInPlaceSite::GetWindowContext");
    if (!frame || !document || !position || !clip || !info)
        return E_POINTER;
    // The dialog is the frame; there is no document window between them.
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *document = nullptr;
    *position = m_dialog.position;
    *clip = m_dialog.position;
    info->fMDIApp = FALSE;
    info->hwndFrame = m_dialog.window;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
}

STDMETHODIMP ServerPropertyPageSite::Scroll(SIZE) {
    return E_NOTIMPL;
}

STDMETHODIMP ServerPropertyPageSite::OnUIDeactivate(BOOL) {
    Record("IOleInPlaceSite::OnUIDeactivate");
    return S_OK;
}

STDMETHODIMP ServerPropertyPageSite::OnInPlaceDeactivate() {
    Record("IOleInPlaceSite::OnInPlaceDeactivate");
    m_activeObject.Reset();
    return S_OK;
}

STDMETHODIMP ServerPropertyPageSite::DiscardUndoState() {
    return S_OK;
}

STDMETHODIMP ServerPropertyPageSite::DeactivateAndUndo() {
    return S_OK;
}

STDMETHODIMP ServerPropertyPageSite::OnPosRectChange(LPCRECT) {
    Record("IOleInPlaceSite::OnPosRectChange");
    return S_OK;  // the page keeps the tab's area
}

// IOleControlSite

STDMETHODIMP ServerPropertyPageSite::OnControlInfoChanged() {
    Record("IOleControlSite::OnControlInfoChanged");
    return S_OK;
}

STDMETHODIMP ServerPropertyPageSite::LockInPlaceActive(BOOL) {
    return S_OK;
}

STDMETHODIMP ServerPropertyPageSite::GetExtendedControl(IDispatch** extender) {
    Record("IOleControlSite::GetExtendedControl");
    if (extender)
        *extender = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP ServerPropertyPageSite::TransformCoords(POINTL*, POINTF*, DWORD) {
    return E_NOTIMPL;
}

STDMETHODIMP ServerPropertyPageSite::TranslateAccelerator(MSG* message, DWORD modifiers) {
    Record("IOleControlSite::TranslateAccelerator");
    if (!message)
        return E_POINTER;
    if (message->message == WM_KEYDOWN && message->wParam == VK_TAB && m_dialog.tabbedOut &&
        m_dialog.tabbedOut((modifiers & 1) != 0)) {  // KEYMOD_SHIFT
        return S_OK;
    }
    return S_FALSE;
}

STDMETHODIMP ServerPropertyPageSite::OnFocus(BOOL gotFocus) {
    Record(gotFocus ? "IOleControlSite::OnFocus(TRUE)" : "IOleControlSite::OnFocus(FALSE)");
    return S_OK;
}

STDMETHODIMP ServerPropertyPageSite::ShowPropertyFrame() {
    return E_NOTIMPL;
}

// IOleInPlaceFrame

STDMETHODIMP ServerPropertyPageSite::GetBorder(LPRECT) {
    return INPLACE_E_NOTOOLSPACE;
}

STDMETHODIMP ServerPropertyPageSite::RequestBorderSpace(LPCBORDERWIDTHS) {
    return INPLACE_E_NOTOOLSPACE;
}

STDMETHODIMP ServerPropertyPageSite::SetBorderSpace(LPCBORDERWIDTHS widths) {
    Record("IOleInPlaceFrame::SetBorderSpace");
    return widths ? INPLACE_E_NOTOOLSPACE : S_OK;
}

STDMETHODIMP ServerPropertyPageSite::SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) {
    Record(object ? "IOleInPlaceFrame::SetActiveObject(object)"
                  : "IOleInPlaceFrame::SetActiveObject(none)");
    m_activeObject = ComPtr<IOleInPlaceActiveObject>(object);
    return S_OK;
}

STDMETHODIMP ServerPropertyPageSite::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) {
    return E_NOTIMPL;
}

STDMETHODIMP ServerPropertyPageSite::SetMenu(HMENU, HOLEMENU, HWND) {
    return S_OK;
}

STDMETHODIMP ServerPropertyPageSite::RemoveMenus(HMENU) {
    return S_OK;
}

STDMETHODIMP ServerPropertyPageSite::SetStatusText(LPCOLESTR) {
    return S_OK;
}

STDMETHODIMP ServerPropertyPageSite::EnableModeless(BOOL) {
    return S_OK;
}

STDMETHODIMP ServerPropertyPageSite::TranslateAccelerator(LPMSG, WORD) {
    return S_FALSE;
}

void* ServerPropertyPageSite::FindInterface(REFIID iid) {
    for (const InterfaceName& known : kInterfaceNames) {
        if (IsEqualIID(iid, *known.iid))
            Record(std::string("QueryInterface(") + known.name + ")");
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, IID_OlPropertyPageSite)) {
        return static_cast<OlPropertyPageSite*>(this);
    }
    if (IsEqualIID(iid, IID_IOleClientSite))
        return static_cast<IOleClientSite*>(this);
    if (IsEqualIID(iid, IID_IOleInPlaceSite) || IsEqualIID(iid, IID_IOleWindow))
        return static_cast<IOleInPlaceSite*>(this);
    if (IsEqualIID(iid, IID_IOleControlSite))
        return static_cast<IOleControlSite*>(this);
    if (IsEqualIID(iid, IID_IOleInPlaceFrame) || IsEqualIID(iid, IID_IOleInPlaceUIWindow))
        return static_cast<IOleInPlaceFrame*>(this);
    return nullptr;
}

std::span<const DispatchMember> ServerPropertyPageSite::Members() const {
    return kMembers;
}

ComVariant ServerPropertyPageSite::Call(DISPID id, DispatchArguments& args) {
    // Ambient properties share the page site's IDispatch: their DISPIDs are negative and the
    // site's own members are not.
    if (id < 0 && args.IsGet())
        Record("ambient " + std::to_string(id));
    switch (id) {
        case DISPID_AMBIENT_USERMODE:
        case DISPID_AMBIENT_SUPPORTSMNEMONICS:
        case DISPID_AMBIENT_AUTOCLIP:
            return ComVariant(Variant(true));
        case DISPID_AMBIENT_UIDEAD:
        case DISPID_AMBIENT_SHOWGRABHANDLES:
        case DISPID_AMBIENT_SHOWHATCHING:
        case DISPID_AMBIENT_MESSAGEREFLECT:
            return ComVariant(Variant(false));
        case DISPID_AMBIENT_BACKCOLOR:
            return ComVariant(SystemColor(COLOR_BTNFACE));
        case DISPID_AMBIENT_FORECOLOR:
            return ComVariant(SystemColor(COLOR_BTNTEXT));
        case DISPID_AMBIENT_LOCALEID:
            return ComVariant(std::int32_t{0x0409});
        case DISPID_AMBIENT_DISPLAYNAME:
            return ComVariant("Telvane");
        case dispid::Application:
            if (!args.IsGet())
                NoSuchMember();
            return ComVariant(NewApplication().Get());
        case dispid::Class:
            if (!args.IsGet())
                NoSuchMember();
            return ComVariant(olPropertyPageSite);
        case dispid::OnStatusChange:
            if (!args.IsMethod())
                NoSuchMember();
            OnStatusChange();
            return {};
        default:
            NoSuchMember();
    }
}

}  // namespace telvane::outlookhost
