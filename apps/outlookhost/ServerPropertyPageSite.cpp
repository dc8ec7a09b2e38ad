#include "apps/outlookhost/ServerPropertyPageSite.h"

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

}  // namespace

ServerPropertyPageSite::ServerPropertyPageSite(std::shared_ptr<HostContext> context,
                                               std::shared_ptr<outlook::PropertyPageSite> site)
    : ServerObject(std::move(context)), m_site(std::move(site)) {}

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
    try {
        m_site->OnStatusChange();
        return S_OK;
    } catch (...) {
        return ReportCurrentException(nullptr);
    }
}

STDMETHODIMP ServerPropertyPageSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker)
        *moniker = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP ServerPropertyPageSite::GetContainer(IOleContainer** container) {
    if (container)
        *container = nullptr;
    return E_NOINTERFACE;
}

void* ServerPropertyPageSite::FindInterface(REFIID iid) {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, IID_OlPropertyPageSite)) {
        return static_cast<OlPropertyPageSite*>(this);
    }
    if (IsEqualIID(iid, IID_IOleClientSite))
        return static_cast<IOleClientSite*>(this);
    return nullptr;
}

std::span<const DispatchMember> ServerPropertyPageSite::Members() const {
    return kMembers;
}

ComVariant ServerPropertyPageSite::Call(DISPID id, DispatchArguments& args) {
    switch (id) {
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
            m_site->OnStatusChange();
            return {};
        default:
            NoSuchMember();
    }
}

}  // namespace telvane::outlookhost
