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
    : RecordingOleSite(dialog.window, dialog.position, std::move(context)),
      m_site(std::move(site)),
      m_statusChanged(std::move(dialog.statusChanged)) {
    OnTabbedOut(std::move(dialog.tabbedOut));
}

void ServerPropertyPageSite::Disconnect() {
    DropActiveObject();
    m_statusChanged = nullptr;
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
        if (m_statusChanged)
            m_statusChanged();
        return S_OK;
    } catch (...) {
        return ReportCurrentException(nullptr);
    }
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
    return FindSiteInterface(iid);
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
