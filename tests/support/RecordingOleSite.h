#pragma once

#include <ocidl.h>
#include <olectl.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/com/ComPtr.h"

namespace telvane::testsupport {

// A container for one control over a real window: client site, in-place site, control site
// and in-place frame in one object, recording in order every call the control makes to it, so
// that a check can follow the activation protocol call by call. Base supplies the COM object
// (IUnknown, IDispatch) and derives from the four site interfaces; the stand-in mail client's
// Options dialog and the window tests each put their own object under it.
template <class Base>
class RecordingOleSite : public Base {
public:
    template <class... BaseArguments>
    RecordingOleSite(HWND window, RECT position, BaseArguments&&... base)
        : Base(std::forward<BaseArguments>(base)...), m_window(window), m_position(position) {}

    // What the control called, e.g. "IOleInPlaceSite::OnInPlaceActivate".
    const std::vector<std::string>& Calls() const { return m_calls; }
    void ClearCalls() { m_calls.clear(); }
    // CanInPlaceActivate's answer while there is a window (S_OK unless changed).
    void AnswerCanInPlaceActivate(HRESULT answer) { m_canActivate = answer; }
    // IOleControlSite::TranslateAccelerator's answer for a key the container does not take
    // (S_FALSE unless changed).
    void AnswerTranslateAccelerator(HRESULT answer) { m_translate = answer; }
    // Tab left the control's last control (Shift+Tab its first): true when the container moved
    // the focus on, and the key is then taken.
    void OnTabbedOut(std::function<bool(bool backwards)> tabbedOut) {
        m_tabbedOut = std::move(tabbedOut);
    }
    // The UI-active object the control gave its frame, if any.
    IOleInPlaceActiveObject* ActiveObject() const { return m_activeObject.Get(); }
    // Lets go of what the control handed over (the container is closing it).
    void DropActiveObject() {
        m_activeObject.Reset();
        m_tabbedOut = nullptr;
    }

    // IOleClientSite: a site without a container or a moniker.
    STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) override {
        if (moniker)
            *moniker = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetContainer(IOleContainer** container) override {
        Record("IOleClientSite::GetContainer");
        if (container)
            *container = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP ShowObject() override {
        Record("IOleClientSite::ShowObject");
        return S_OK;
    }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow, of the in-place site and of the frame: the container's window.
    STDMETHODIMP GetWindow(HWND* window) override {
        Record("IOleInPlaceSite::GetWindow");
        if (!window)
            return E_POINTER;
        *window = m_window;
        return m_window ? S_OK : E_FAIL;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    STDMETHODIMP CanInPlaceActivate() override {
        Record("IOleInPlaceSite::CanInPlaceActivate");
        return m_window ? m_canActivate : S_FALSE;
    }
    STDMETHODIMP OnInPlaceActivate() override {
        Record("IOleInPlaceSite::OnInPlaceActivate");
        return S_OK;
    }
    STDMETHODIMP OnUIActivate() override {
        Record("IOleInPlaceSite::OnUIActivate");
        return S_OK;
    }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                  LPRECT position, LPRECT clip,
                                  LPOLEINPLACEFRAMEINFO info) override {
        Record("IOleInPlaceSite::GetWindowContext");
        if (!frame || !document || !position || !clip || !info)
            return E_POINTER;
        // The container is the frame; there is no document window between them.
        *frame = static_cast<IOleInPlaceFrame*>(this);
        this->AddRef();
        *document = nullptr;
        *position = m_position;
        *clip = m_position;
        info->fMDIApp = FALSE;
        info->hwndFrame = m_window;
        info->haccel = nullptr;
        info->cAccelEntries = 0;
        return S_OK;
    }
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override {
        Record("IOleInPlaceSite::OnUIDeactivate");
        return S_OK;
    }
    STDMETHODIMP OnInPlaceDeactivate() override {
        Record("IOleInPlaceSite::OnInPlaceDeactivate");
        return S_OK;
    }
    STDMETHODIMP DiscardUndoState() override { return S_OK; }
    STDMETHODIMP DeactivateAndUndo() override { return S_OK; }
    STDMETHODIMP OnPosRectChange(LPCRECT) override {
        Record("IOleInPlaceSite::OnPosRectChange");
        return S_OK;  // the control keeps the area it was given
    }

    // IOleControlSite
    STDMETHODIMP OnControlInfoChanged() override {
        Record("IOleControlSite::OnControlInfoChanged");
        return S_OK;
    }
    STDMETHODIMP LockInPlaceActive(BOOL) override { return S_OK; }
    STDMETHODIMP GetExtendedControl(IDispatch** extender) override {
        Record("IOleControlSite::GetExtendedControl");
        if (extender)
            *extender = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP TransformCoords(POINTL*, POINTF*, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(MSG* message, DWORD modifiers) override {
        const bool tab = message && message->message == WM_KEYDOWN && message->wParam == VK_TAB;
        const bool shift = (modifiers & 1) != 0;  // KEYMOD_SHIFT
        Record(std::string("IOleControlSite::TranslateAccelerator(") + (tab ? "Tab" : "key") +
               (shift ? "+Shift" : "") + ")");
        if (!message)
            return E_POINTER;
        if (tab && m_tabbedOut && m_tabbedOut(shift))
            return S_OK;
        return m_translate;
    }
    STDMETHODIMP OnFocus(BOOL gotFocus) override {
        Record(gotFocus ? "IOleControlSite::OnFocus(TRUE)" : "IOleControlSite::OnFocus(FALSE)");
        return S_OK;
    }
    STDMETHODIMP ShowPropertyFrame() override { return E_NOTIMPL; }

    // IOleInPlaceUIWindow and IOleInPlaceFrame: a container without menus or tool space.
    STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS widths) override {
        Record("IOleInPlaceFrame::SetBorderSpace");
        return widths ? INPLACE_E_NOTOOLSPACE : S_OK;
    }
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) override {
        Record(object ? "IOleInPlaceFrame::SetActiveObject(object)"
                      : "IOleInPlaceFrame::SetActiveObject(none)");
        m_activeObject = win32::ComPtr<IOleInPlaceActiveObject>(object);
        return S_OK;
    }
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    STDMETHODIMP RemoveMenus(HMENU) override { return S_OK; }
    STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

protected:
    void Record(std::string call) { m_calls.push_back(std::move(call)); }

    // The site interfaces this object answers, or null.
    void* FindSiteInterface(REFIID iid) {
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

private:
    HWND m_window;
    RECT m_position;
    std::vector<std::string> m_calls;
    HRESULT m_canActivate = S_OK;
    HRESULT m_translate = S_FALSE;
    std::function<bool(bool)> m_tabbedOut;
    win32::ComPtr<IOleInPlaceActiveObject> m_activeObject;
};

}  // namespace telvane::testsupport
