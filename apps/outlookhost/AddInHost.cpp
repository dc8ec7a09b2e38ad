#include "apps/outlookhost/AddInHost.h"

#include <utility>

#include "apps/outlookhost/CustomArray.h"
#include "common/outlook/RaisedError.h"
#include "platform/win32/com/HResultText.h"
#include "platform/win32/com/RegistryKeyHandle.h"
#include "platform/win32/com/TextConversion.h"
#include "platform/win32/outlook/ComError.h"
#include "platform/win32/outlook/OutlookIds.h"

namespace telvane::outlookhost {

using win32::com::Hex;

namespace {

std::string Describe(HRESULT hr, const char* call) {
    RaisedError error = win32::ErrorFromResult(hr, call);
    return std::string(call) + " failed with " + Hex(hr) + ": error " +
           std::to_string(error.Number()) + " (" + error.Source() + ") " + error.Description();
}

}  // namespace

void AddInHost::ReadEntries(HKEY root, bool perMachine) {
    auto addins = win32::com::RegistryKeyHandle::Open(root, AddinsKey, KEY_READ);
    if (!addins)
        return;
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD length = static_cast<DWORD>(std::size(name));
        if (::RegEnumKeyExW(addins.Get(), index, name, &length, nullptr, nullptr, nullptr,
                            nullptr) != ERROR_SUCCESS) {
            break;
        }
        AddIn addIn;
        addIn.progId = win32::com::Utf8FromWide({name, length});
        addIn.perMachine = perMachine;
        bool listed = false;
        for (const AddIn& other : m_addIns)
            listed =
                listed || ::lstrcmpiW(win32::com::WideFromUtf8(other.progId).c_str(), name) == 0;
        if (listed)
            continue;
        auto entry = win32::com::RegistryKeyHandle::Open(addins.Get(), name, KEY_READ);
        DWORD size = sizeof addIn.loadBehavior, type = 0;
        if (!entry ||
            ::RegQueryValueExW(entry.Get(), L"LoadBehavior", nullptr, &type,
                               reinterpret_cast<BYTE*>(&addIn.loadBehavior),
                               &size) != ERROR_SUCCESS ||
            type != REG_DWORD) {
            addIn.loadBehavior = 0;
        }
        m_addIns.push_back(std::move(addIn));
    }
}

void AddInHost::ConnectAtStartup(IDispatch* application) {
    ReadEntries(HKEY_CURRENT_USER, false);
    ReadEntries(HKEY_LOCAL_MACHINE, true);
    if (m_addIns.empty()) {
        Log("no add-in entries");
        return;
    }
    for (AddIn& addIn : m_addIns) {
        if ((addIn.loadBehavior & LoadAtStartup) == 0) {
            Log("add-in " + addIn.progId + ": LoadBehavior " + std::to_string(addIn.loadBehavior) +
                ", not loaded at start-up");
            continue;
        }
        Connect(addIn, application);
    }
    for (AddIn& addIn : m_addIns) {
        if (!addIn.object)
            continue;
        CustomArray custom;
        HRESULT hr = addIn.object->OnStartupComplete(custom.Get());
        if (FAILED(hr))
            Log(addIn.progId + ": " + Describe(hr, "OnStartupComplete"));
    }
}

void AddInHost::Connect(AddIn& addIn, IDispatch* application) {
    std::wstring progId = win32::com::WideFromUtf8(addIn.progId);
    CLSID clsid{};
    addIn.result = ::CLSIDFromProgID(progId.c_str(), &clsid);
    if (FAILED(addIn.result)) {
        Log("add-in " + addIn.progId + ": " + Describe(addIn.result, "CLSIDFromProgID"));
        return;
    }
    ComPtr<IDTExtensibility2> object;
    addIn.result = ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER,
                                      win32::IID_IDTExtensibility2, object.PutVoid());
    if (FAILED(addIn.result)) {
        Log("add-in " + addIn.progId + ": " + Describe(addIn.result, "CoCreateInstance"));
        return;
    }
    CustomArray custom;
    // The COMAddIn object is not offered: the add-in is documented to ignore it.
    addIn.result = object->OnConnection(application, ext_cm_Startup, nullptr, custom.Get());
    if (FAILED(addIn.result)) {
        // The mail client drops an add-in that fails to connect (LoadBehavior 3 becomes 2).
        Log("add-in " + addIn.progId + ": " + Describe(addIn.result, "OnConnection"));
        return;
    }
    Log("add-in " + addIn.progId + " connected" + (addIn.perMachine ? " (HKLM entry)" : ""));
    addIn.object = std::move(object);
}

void AddInHost::DisconnectAll() {
    for (AddIn& addIn : m_addIns) {
        if (!addIn.object)
            continue;
        CustomArray beginCustom;
        HRESULT hr = addIn.object->OnBeginShutdown(beginCustom.Get());
        if (FAILED(hr))
            Log(addIn.progId + ": " + Describe(hr, "OnBeginShutdown"));
        CustomArray custom;
        hr = addIn.object->OnDisconnection(ext_dm_HostShutdown, custom.Get());
        if (FAILED(hr))
            Log(addIn.progId + ": " + Describe(hr, "OnDisconnection"));
        addIn.object.Reset();
        Log("add-in " + addIn.progId + " disconnected");
    }
}

IDTExtensibility2* AddInHost::Connected(const std::string& progId) const {
    for (const AddIn& addIn : m_addIns) {
        if (addIn.progId == progId)
            return addIn.object.Get();
    }
    return nullptr;
}

}  // namespace telvane::outlookhost
