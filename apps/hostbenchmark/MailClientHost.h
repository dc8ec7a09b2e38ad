#pragma once

#include <ole2.h>
#include <windows.h>

#include <memory>
#include <string>

#include "apps/outlookhost/AddInHost.h"
#include "apps/outlookhost/HostContext.h"
#include "apps/outlookhost/OptionsDialog.h"
#include "platform/memory/outlook/MailClient.h"
#include "platform/win32/com/ComPtr.h"

namespace telvane::bench {

// The stand-in mail client on an in-memory one: its application served over COM, the add-ins
// loaded from the registry as the mail client loads them, its Options dialog. The DLLs beside
// the program are registered once per process, with the switch on.
class MailClientHost {
public:
    static constexpr const char* AddInProgId = "Telvane.TLConnect";
    static constexpr const char* TabTitle = "Telvane";

    explicit MailClientHost(memory::MailClient& client);
    MailClientHost(const MailClientHost&) = delete;
    MailClientHost& operator=(const MailClientHost&) = delete;
    ~MailClientHost();

    // Registers Telvane.dll and TelvanePage.dll and stores the switch; the failure, or empty.
    static std::string Prepare();
    // Whether the process has the DLL of that file name loaded now.
    static bool IsLoaded(const wchar_t* module);
    // Frees the DLLs that answer they can go.
    static void FreeUnused();

    // Connects the start-up add-ins, as the mail client does when it starts; true when the
    // product's add-in is connected.
    bool Start();
    // OnBeginShutdown, OnDisconnection and each add-in released.
    void Stop();
    bool Started() const { return m_addIns != nullptr; }

    // The Options dialog, with the product's tab not yet chosen; empty when it has no tab.
    std::unique_ptr<outlookhost::OptionsDialog> OpenOptions();
    // Chooses the dialog's tab as a click on it does: the page is created and activated.
    static void ChooseTab(outlookhost::OptionsDialog& dialog);
    // The page's window on a chosen tab.
    static HWND PageWindow(const outlookhost::OptionsDialog& dialog);

    // Objects served and not released.
    long LiveObjects() const { return m_context->liveObjects; }

private:
    memory::MailClient& m_client;
    std::shared_ptr<outlookhost::HostContext> m_context =
        std::make_shared<outlookhost::HostContext>();
    win32::ComPtr<IDispatch> m_application;
    std::unique_ptr<outlookhost::AddInHost> m_addIns;
};

}  // namespace telvane::bench
