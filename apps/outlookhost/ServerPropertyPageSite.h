#pragma once

#include <memory>

#include "apps/outlookhost/OutlookInterfaces.h"
#include "apps/outlookhost/ServerObject.h"
#include "common/outlook/PropertyPageSite.h"

namespace telvane::outlookhost {

// The client site the Options dialog gives a custom page: an OLE client site that also
// answers QueryInterface for PropertyPageSite (dual), the way the page finds its dialog.
class ServerPropertyPageSite final : public ServerObject<OlPropertyPageSite, IOleClientSite> {
public:
    ServerPropertyPageSite(std::shared_ptr<HostContext> context,
                           std::shared_ptr<outlook::PropertyPageSite> site);

    // PropertyPageSite through the vtable.
    STDMETHODIMP get_Application(IDispatch** application) override;
    STDMETHODIMP get_Class(LONG* objectClass) override;
    STDMETHODIMP get_Session(IDispatch** session) override;
    STDMETHODIMP get_Parent(IDispatch** parent) override;
    STDMETHODIMP OnStatusChange() override;

    // IOleClientSite: a site without a container or a moniker.
    STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) override;
    STDMETHODIMP GetContainer(IOleContainer** container) override;
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

protected:
    void* FindInterface(REFIID iid) override;
    std::span<const DispatchMember> Members() const override;
    ComVariant Call(DISPID id, DispatchArguments& args) override;

private:
    ComPtr<IDispatch> NewApplication();

    std::shared_ptr<outlook::PropertyPageSite> m_site;
};

}  // namespace telvane::outlookhost
