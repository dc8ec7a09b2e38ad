#pragma once

#include <ole2.h>
#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "apps/outlookhost/HostContext.h"
#include "apps/outlookhost/OutlookInterfaces.h"
#include "apps/outlookhost/ServerPropertyPageSite.h"
#include "platform/memory/outlook/MailClient.h"
#include "platform/win32/com/ComPtr.h"

namespace telvane::outlookhost {

// The mail client's Options dialog, as a real window: a dialog with a tab control (its own
// "Preferences" tab, then one tab per custom page that OptionsPagesAdd added), OK, Cancel and
// Apply. A custom page is an ActiveX control created from its ProgID when its tab is first
// chosen, and held through the dialog's own OLE container (ServerPropertyPageSite): the client
// site goes before or after InitNew as the control's MiscStatus asks, then the control is
// sized to the tab's display area and activated in place. Apply is enabled once a page reports
// a change and answers Dirty; OK and Apply call every created page's Apply, Cancel none.
class OptionsDialog {
public:
    struct Tab {
        std::string progId;  // the page as PropertyPages.Add was given it, read as text
        std::string title;
        ComPtr<IUnknown> control;
        ComPtr<OlPropertyPage> page;
        ComPtr<ServerPropertyPageSite> site;
        // The calls the dialog made on the control, in order, e.g. "IOleObject::SetClientSite".
        std::vector<std::string> calls;
        // The control's calls on its site, in order (kept when the site goes).
        std::vector<std::string> siteCalls;
    };

    OptionsDialog(std::shared_ptr<HostContext> context, memory::MailClient& client);
    OptionsDialog(const OptionsDialog&) = delete;
    OptionsDialog& operator=(const OptionsDialog&) = delete;
    ~OptionsDialog();

    const std::vector<Tab>& Tabs() const { return m_tabs; }
    // The custom tab with that title; throws std::out_of_range when there is none.
    std::size_t TabIndex(const std::string& title) const;
    HWND Window() const { return m_window; }
    bool IsOpen() const { return m_window != nullptr; }

    // Creates the tab's page control and activates it in place; answers the failure when the
    // control cannot be made, is not a PropertyPage or cannot be activated.
    HRESULT CreatePage(std::size_t tab);
    // Raise RaisedError when the page fails.
    bool Dirty(std::size_t tab);
    void Apply(std::size_t tab);
    // The site's OnStatusChange calls so far.
    std::int32_t StatusChanges(std::size_t tab) const;
    // Closes every page control and releases it; the dialog's window goes too.
    void Close();

    // The dialog's keyboard for a message of the thread's loop: the UI-active page first,
    // then the dialog's own navigation. True when the message was used.
    bool PreTranslate(MSG& message);

    // The next press of that button ("OK", "Cancel", "Apply") fails in the dialog itself.
    void FailOnPress(std::string button) { m_failingButton = std::move(button); }
    // What failed inside the dialog's window procedure, which keeps every failure from the
    // system's dialog code; each is reported, none ends the process.
    const std::vector<std::string>& Errors() const { return m_errors; }
    void ClearErrors() { m_errors.clear(); }

private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Build(HWND window);
    void Choose(int tabControlIndex);
    void StatusChanged(std::size_t tab);
    bool TabbedOut(bool backwards);
    // OK (apply, then close), Apply, Cancel (close).
    void Press(int command);
    HRESULT Activate(Tab& tab, LONG verb);
    // Alt+key for a page that lists it in its control info: true when a page took it.
    bool Mnemonic(MSG& message);

    std::shared_ptr<HostContext> m_context;
    memory::MailClient& m_client;
    std::vector<Tab> m_tabs;
    std::vector<std::shared_ptr<memory::MemoryPropertyPageSite>> m_sites;
    HWND m_window = nullptr;
    HWND m_tabControl = nullptr;
    HWND m_preferences = nullptr;
    HWND m_ok = nullptr;
    HWND m_cancel = nullptr;
    HWND m_apply = nullptr;
    RECT m_pageArea = {};
    int m_chosen = 0;
    std::string m_failingButton;
    std::vector<std::string> m_errors;
};

}  // namespace telvane::outlookhost
