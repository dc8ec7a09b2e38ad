#pragma once

#include <ocidl.h>

#include <functional>
#include <memory>
#include <string>

#include "apps/outlookhost/OutlookInterfaces.h"
#include "apps/outlookhost/ServerObject.h"
#include "common/outlook/PropertyPageSite.h"
#include "tests/support/RecordingOleSite.h"

namespace telvane::outlookhost {

// The site the Options dialog gives a custom page: the page's PropertyPageSite (dual), and the
// dialog's OLE container for it (the shared recording container), with the ambient properties
// answered through the same IDispatch by their negative DISPIDs. Interfaces asked for and
// ambient properties read are recorded with the container's calls, in order.
class ServerPropertyPageSite final
    : public testsupport::RecordingOleSite<ServerObject<
          OlPropertyPageSite, IOleClientSite, IOleInPlaceSite, IOleControlSite, IOleInPlaceFrame>> {
public:
    // What the dialog answers for its page.
    struct Dialog {
        HWND window = nullptr;  // the dialog, the page's parent
        RECT position = {};     // the tab's display area, in the dialog's client coordinates
        // The page reported a change (OnStatusChange).
        std::function<void()> statusChanged;
        // Tab left the page's last control (or Shift+Tab its first): true when the dialog
        // moved the focus on.
        std::function<bool(bool backwards)> tabbedOut;
    };

    ServerPropertyPageSite(std::shared_ptr<HostContext> context,
                           std::shared_ptr<outlook::PropertyPageSite> site, Dialog dialog);

    // Drops what the control handed the site (the dialog is closing the page).
    void Disconnect();

    // PropertyPageSite through the vtable.
    STDMETHODIMP get_Application(IDispatch** application) override;
    STDMETHODIMP get_Class(LONG* objectClass) override;
    STDMETHODIMP get_Session(IDispatch** session) override;
    STDMETHODIMP get_Parent(IDispatch** parent) override;
    STDMETHODIMP OnStatusChange() override;

protected:
    void* FindInterface(REFIID iid) override;
    std::span<const DispatchMember> Members() const override;
    ComVariant Call(DISPID id, DispatchArguments& args) override;

private:
    ComPtr<IDispatch> NewApplication();

    std::shared_ptr<outlook::PropertyPageSite> m_site;
    std::function<void()> m_statusChanged;
};

}  // namespace telvane::outlookhost
