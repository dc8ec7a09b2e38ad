#pragma once

#include <ocidl.h>
#include <ole2.h>
#include <windows.h>

#include <functional>
#include <memory>

#include "platform/win32/com/ComPtr.h"
#include "platform/win32/optionspage/PageWindow.h"

namespace telvane::win32 {

// The page control's side of OLE in-place activation: asks the client site whether and where
// it may activate, creates the page's window as a child of the site's window, tells the site
// and its frame each change of state (in-place active, UI active, deactivated), follows the
// site's rectangles, and destroys the window on deactivation. States: loaded (no window),
// in-place active (window shown), UI active (also the frame's active object).
class InPlaceActivation {
public:
    struct Listener {
        // The page's window exists and is placed; it is not visible yet.
        std::function<void(HWND window)> created;
        // The window is about to be destroyed.
        std::function<void(HWND window)> destroying;
        // The window's size changed (pixels); also right after created.
        std::function<void(int width, int height)> sized;
        // The window itself got the focus.
        std::function<void()> focused;
    };

    explicit InPlaceActivation(Listener listener);
    InPlaceActivation(const InPlaceActivation&) = delete;
    InPlaceActivation& operator=(const InPlaceActivation&) = delete;
    ~InPlaceActivation();

    // In-place activates through the client site (if not yet active) and then, when asked,
    // UI-activates; self is what the frame is told is its active object. Fails, changing
    // nothing the site has not been told of, when the site cannot host the page in place.
    HRESULT Activate(IOleClientSite* clientSite, bool uiActivate, IOleInPlaceActiveObject* self);
    HRESULT UIDeactivate();
    // Leaves UI and in-place activation and destroys the window; harmless when not active.
    HRESULT Deactivate();
    // Hides the window and leaves UI activation, staying in-place active.
    HRESULT Hide();
    HRESULT SetRects(LPCRECT position, LPCRECT clip);

    bool IsActive() const { return m_window != nullptr; }
    bool IsUIActive() const { return m_uiActive; }
    // Null while not active.
    HWND Window() const { return m_window ? m_window->Handle() : nullptr; }
    // The site's control site, when it offers one (null otherwise or while not active).
    IOleControlSite* ControlSite() const { return m_controlSite.Get(); }

private:
    void Place(const RECT& position, const RECT& clip);

    Listener m_listener;
    ComPtr<IOleInPlaceSite> m_site;
    ComPtr<IOleControlSite> m_controlSite;
    ComPtr<IOleInPlaceFrame> m_frame;
    ComPtr<IOleInPlaceUIWindow> m_document;
    std::unique_ptr<PageWindow> m_window;
    bool m_uiActive = false;
};

}  // namespace telvane::win32
