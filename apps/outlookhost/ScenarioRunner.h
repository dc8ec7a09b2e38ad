#pragma once

#include <ole2.h>
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "apps/outlookhost/AddInHost.h"
#include "apps/outlookhost/HostContext.h"
#include "apps/outlookhost/OptionsDialog.h"
#include "platform/memory/outlook/MailClient.h"
#include "platform/win32/com/ComPtr.h"
#include "tests/support/UiDriver.h"

namespace telvane::outlookhost {

// Runs the steps of one scenario against the in-memory mail client served over COM, with the
// add-ins loaded as the mail client loads them, and checks what the steps expect. Every
// expectation that fails is reported; the run ends with the shutdown checks (add-ins
// disconnected, every server object released, no subscription left, DLLs unloadable).
//
// Steps (one argument each, "name" or "name=value"):
//   register=<dll>, unregister=<dll>    the DLL in the host's folder
//   switch=<n>|<text>|none              HKCR\Software\Merrowind\Telvane\Options "Default"
//   load-behavior=<progid>=<n>          LoadBehavior of the add-in's entry
//   no-explorer                         (before start) the mail client opens no explorer
//   start                               builds the mail client and connects the add-ins
//   expect-addin=<progid>:connected|not-loaded|failed
//   open=<FileAs>, open-mail=<Subject>  opens an item window; it becomes the current window
//   window=<n>                          makes the n-th window opened the current one
//   edit=<Field>=<text>, save, close    the user types into, saves or closes the current window
//   close-explorer                      the user closes the explorer window
//   expect-window=open|closed           the current window
//   expect-stored=<FileAs>.<Field>=<text>, expect-saves=<FileAs>=<n>
//   fail=<FileAs>.<call>=<number>       the mail client fails that call of the item
//   options                             builds the Options dialog
//   expect-tabs=<title>,...             the custom tabs it got, in order (empty: none)
//   page=<title>:created|fails          creates the tab's page control
//   expect-dirty=<title>:yes|no, apply=<title>
//   fail-options=OK|Cancel|Apply        the dialog's next press of that button fails in the dialog
//   expect-options-errors=<n>           failures the dialog kept (and reported) since the last
//   reopen-options=<n>[:elsewhere]      n times: the dialog with the Telvane tab's page, closed,
//                                       unused DLLs freed (the page's must unload), on this
//                                       thread or on a second apartment's thread
// Real input, into the real windows (the Options dialog, the page, the fax manager), each step
// waiting until its target is shown and takes input:
//   choose-tab=<title>                  clicks the dialog's tab
//   click=<text>                        clicks the window with that text (access-key "&" aside)
//   choose-node=<start of text>         clicks a tree node of a shown tree view
//   key=tab|shift+tab|enter|space|alt+<letter>
//   picture=<file.bmp>                  a picture of the shown windows, as the user sees them
//   expect-enabled=<text>:yes|no, expect-focus=<text>, expect-options=open|closed
//   expect-switch=<n>|none              the stored switch
//   expect-control-calls=<title>:<call>,...   the dialog's calls on the page control, in order
//   expect-site-calls=<title>:<call>,...      the control's calls on its site, in this order
//                                             (others may come between)
//   expect-handler-errors=<event>:<number>,...   errors handlers returned (empty: none)
//   expect-subscriptions=<n>            event subscriptions the mail client still serves
//   quit, disconnect                    the mail client quits / disconnects its add-ins
class ScenarioRunner {
public:
    ScenarioRunner();
    ScenarioRunner(const ScenarioRunner&) = delete;
    ScenarioRunner& operator=(const ScenarioRunner&) = delete;
    ~ScenarioRunner();

    // Runs every step then the shutdown checks; answers whether all of them held.
    bool Run(const std::vector<std::string>& steps);

private:
    using Step = std::function<void(const std::string& value)>;

    // Runs on the driver thread.
    void RunSteps(const std::vector<std::string>& steps);
    void CheckCalls(const std::vector<std::string>& calls, const std::string& expected,
                    const std::string& whose);

    void Check(bool held, const std::string& what);
    void Start();
    void Finish();
    memory::ItemHandle Item(const std::string& name) const;
    memory::InspectorHandle& CurrentWindow();
    OptionsDialog& Options() const;
    void SetSwitch(const std::string& value);

    std::shared_ptr<HostContext> m_context = std::make_shared<HostContext>();
    std::map<std::string, Step> m_steps;       // on the user-interface thread
    std::map<std::string, Step> m_inputSteps;  // on the driver thread
    testsupport::UiDriver* m_driver = nullptr;
    // Calls recorded by the Options dialog and the page sites, kept after the dialog closes.
    std::map<std::string, std::vector<std::string>> m_controlCalls;
    std::map<std::string, std::vector<std::string>> m_siteCalls;
    bool m_withExplorer = true;
    int m_failures = 0;
    std::vector<std::wstring> m_modules;  // DLLs the scenario registered or unregistered
    std::unique_ptr<memory::MailClient> m_client;
    std::optional<memory::FolderHandle> m_contacts;
    std::optional<memory::ExplorerHandle> m_explorer;
    std::vector<memory::InspectorHandle> m_windows;
    std::size_t m_current = 0;
    win32::ComPtr<IDispatch> m_application;
    std::unique_ptr<AddInHost> m_addIns;
    std::unique_ptr<OptionsDialog> m_options;
};

}  // namespace telvane::outlookhost
