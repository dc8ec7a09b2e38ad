#pragma once

#include <ole2.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/win32/com/ComPtr.h"

namespace telvane {
class PageLibrary;
class TelvanePage;
namespace forms {
class Control;
}
}  // namespace telvane

namespace telvane::win32 {

class Win32UiHost;

// Between the page control's COM interfaces and the portable TelvanePage: finds the
// PropertyPageSite once both the client site and InitNew have arrived (in whichever order the
// container sends them) and then initialises the page with it; forwards PropertyPage and
// resizing.
class PropertyPageAdapter {
public:
    // The mail client's PropertyPageSite.
    static constexpr GUID PropertyPageSiteIid = {
        0x0006307F, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

    // host: the library's window host, which puts the page's window into the control's.
    PropertyPageAdapter(PageLibrary& library, Win32UiHost& host);
    PropertyPageAdapter(const PropertyPageAdapter&) = delete;
    PropertyPageAdapter& operator=(const PropertyPageAdapter&) = delete;
    // Terminates the page; a failure there is dropped, as it would otherwise end the process
    // that releases the control.
    ~PropertyPageAdapter();

    void ClientSiteChanged(IOleClientSite* site);
    // Any of the persistence interfaces' InitNew or Load: the page keeps no properties, so
    // each starts it the same way.
    void InitNew();
    // The in-place window was sized (pixels at the screen's resolution).
    void Resize(int widthPixels, int heightPixels);
    // The control's window exists (in-place activation): the page's own window is made
    // inside it. And the control's window is about to go: the page's goes first, and leaves
    // it even when unloading the page fails.
    void WindowCreated(HWND window);
    void WindowDestroying(HWND window);
    // The control's window got the focus: the page's active control (or its first) takes it.
    void Focus();
    // Tab (or Shift+Tab) inside the page: moves the focus to the next control in tab order;
    // false at the end, where the focus belongs to the container again.
    bool MoveFocus(bool backwards);
    // The page's own keys (Enter on its button, its access keys) of a message meant for it.
    bool PreTranslateMessage(const MSG& message);

    // The access keys of the page's controls, lower case, in tab order.
    std::string AccessKeys() const;
    // Alt+key reached the page; false when no control took it.
    bool PressAccessKey(char key);

    void GetPageInfo(BSTR* helpFile, LONG* helpContext);
    bool Dirty() const;
    void Apply();

    // The site answering PropertyPageSite: the client site itself, its container, or the
    // extender its control site offers.
    static ComPtr<IDispatch> FindPageSite(IOleClientSite* site);

    // A failure to inject where the page is torn down: called with "Unload" before the page
    // unloads and with "Terminate" before it terminates, it may throw. Null: none.
    using TeardownFault = void (*)(const char* step);
    static void InjectTeardownFault(TeardownFault fault) noexcept;

private:
    void InitialiseWhenReady();
    // The page's controls that Tab reaches now, in tab order.
    std::vector<forms::Control*> TabStops() const;
    void FocusOn(forms::Control& control);

    Win32UiHost& m_host;
    std::unique_ptr<TelvanePage> m_page;
    ComPtr<IOleClientSite> m_clientSite;
    bool m_initNewCalled = false;
    bool m_initialised = false;
};

}  // namespace telvane::win32
