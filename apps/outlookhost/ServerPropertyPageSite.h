#pragma once

#include <ocidl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "apps/outlookhost/OutlookInterfaces.h"
#include "apps/outlookhost/ServerObject.h"
#include "common/outlook/PropertyPageSite.h"

namespace telvane::outlookhost {

// The site the Options dialog gives a custom page: the page's PropertyPageSite (dual), and the
// dialog's OLE container for it: client site, in-place site, control site, in-place frame and
// ambient properties (through the same IDispatch, by their negative DISPIDs). It records every
// call the control makes to it, in order, for the scenario to check.
class ServerPropertyPageSite final
    : public ServerObject<OlPropertyPageSite, IOleClientSite, IOleInPlaceSite, IOleControlSite,
                          IOleInPlaceFrame> {
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

    // The control's calls so far, e.g. "IOleInPlaceSite::OnInPlaceActivate".
    const std::vector<std::string>& Calls() const { return m_calls; }
    // The UI-active object the control gave its frame, if any.
    IOleInPlaceActiveObject* ActiveObject() const { return m_activeObject.Get(); }
    // Drops what the control handed the site (the dialog is closing the page).
    void Disconnect();

    // PropertyPageSite through the vtable.
    STDMETHODIMP get_Application(IDispatch** application) override;
    STDMETHODIMP get_Class(LONG* objectClass) override;
    STDMETHODIMP get_Session(IDispatch** session) override;
    STDMETHODIMP get_Parent(IDispatch** parent) override;
    STDMETHODIMP OnStatusChange() override;

    // IOleClientSite: a site without a container or a moniker.
    STDMETHODIMP SaveObject() override;
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) override;
    STDMETHODIMP GetContainer(IOleContainer** container) override;
    STDMETHODIMP ShowObject() override;
    STDMETHODIMP OnShowWindow(BOOL show) override;
    STDMETHODIMP RequestNewObjectLayout() override;

    // IOleWindow, of the in-place site and of the frame: the dialog.
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL enterMode) override;

    // IOleInPlaceSite
    STDMETHODIMP CanInPlaceActivate() override;
    STDMETHODIMP OnInPlaceActivate() override;
    STDMETHODIMP OnUIActivate() override;
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                  LPRECT position, LPRECT clip,
                                  LPOLEINPLACEFRAMEINFO info) override;
    STDMETHODIMP Scroll(SIZE extent) override;
    STDMETHODIMP OnUIDeactivate(BOOL undoable) override;
    STDMETHODIMP OnInPlaceDeactivate() override;
    STDMETHODIMP DiscardUndoState() override;
    STDMETHODIMP DeactivateAndUndo() override;
    STDMETHODIMP OnPosRectChange(LPCRECT position) override;

    // IOleControlSite
    STDMETHODIMP OnControlInfoChanged() override;
    STDMETHODIMP LockInPlaceActive(BOOL lock) override;
    STDMETHODIMP GetExtendedControl(IDispatch** extender) override;
    STDMETHODIMP TransformCoords(POINTL* himetric, POINTF* container, DWORD flags) override;
    STDMETHODIMP TranslateAccelerator(MSG* message, DWORD modifiers) override;
    STDMETHODIMP OnFocus(BOOL gotFocus) override;
    STDMETHODIMP ShowPropertyFrame() override;

    // IOleInPlaceUIWindow and IOleInPlaceFrame: a dialog without menus or tool space.
    STDMETHODIMP GetBorder(LPRECT border) override;
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS widths) override;
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS widths) override;
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR name) override;
    STDMETHODIMP InsertMenus(HMENU menu, LPOLEMENUGROUPWIDTHS widths) override;
    STDMETHODIMP SetMenu(HMENU menu, HOLEMENU descriptor, HWND object) override;
    STDMETHODIMP RemoveMenus(HMENU menu) override;
    STDMETHODIMP SetStatusText(LPCOLESTR text) override;
    STDMETHODIMP EnableModeless(BOOL enable) override;
    STDMETHODIMP TranslateAccelerator(LPMSG message, WORD id) override;

protected:
    void* FindInterface(REFIID iid) override;
    std::span<const DispatchMember> Members() const override;
    ComVariant Call(DISPID id, DispatchArguments& args) override;

private:
    ComPtr<IDispatch> NewApplication();
    void Record(const std::string& call);

    std::shared_ptr<outlook::PropertyPageSite> m_site;
    Dialog m_dialog;
    std::vector<std::string> m_calls;
    ComPtr<IOleInPlaceActiveObject> m_activeObject;
};

}  // namespace telvane::outlookhost
