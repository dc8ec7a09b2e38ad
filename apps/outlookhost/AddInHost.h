#pragma once

#include <ole2.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "apps/outlookhost/HostContext.h"
#include "apps/outlookhost/OutlookInterfaces.h"
#include "platform/win32/com/ComPtr.h"

namespace telvane::outlookhost {

using win32::ComPtr;

// Loads COM add-ins the way the mail client does at its start-up: reads the entries under
// Software\Microsoft\Office\Outlook\Addins of HKCU and then of HKLM (a per-machine install's;
// the user's entry of the same name wins), creates each one whose LoadBehavior asks for loading
// at start-up from its ProgID (the entry's name), and drives IDTExtensibility2 through the
// vtable.
class AddInHost {
public:
    static constexpr const wchar_t* AddinsKey = L"Software\\Microsoft\\Office\\Outlook\\Addins";
    static constexpr DWORD LoadAtStartup = 2;

    struct AddIn {
        std::string progId;
        DWORD loadBehavior = 0;
        bool perMachine = false;
        // Empty when the add-in could not be created or refused the connection.
        ComPtr<IDTExtensibility2> object;
        HRESULT result = S_OK;
    };

    explicit AddInHost(std::shared_ptr<HostContext> context) : m_context(std::move(context)) {}
    AddInHost(const AddInHost&) = delete;
    AddInHost& operator=(const AddInHost&) = delete;
    ~AddInHost() { DisconnectAll(); }

    // Connects every start-up add-in with the application; then tells them start-up is over.
    void ConnectAtStartup(IDispatch* application);
    // OnBeginShutdown, OnDisconnection (host shutdown), and each add-in released.
    void DisconnectAll();

    const std::vector<AddIn>& AddIns() const { return m_addIns; }
    // The connected add-in of that ProgID, or null.
    IDTExtensibility2* Connected(const std::string& progId) const;

private:
    // Adds the entries under ROOT whose names are not listed yet.
    void ReadEntries(HKEY root, bool perMachine);
    void Connect(AddIn& addIn, IDispatch* application);
    void Log(const std::string& text) const { m_context->log(text); }

    std::shared_ptr<HostContext> m_context;
    std::vector<AddIn> m_addIns;
};

}  // namespace telvane::outlookhost
