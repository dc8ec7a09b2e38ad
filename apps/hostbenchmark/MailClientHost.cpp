#include "apps/hostbenchmark/MailClientHost.h"

#include <commctrl.h>

#include <cstdio>

#include "apps/outlookhost/ServerApplication.h"
#include "apps/outlookhost/ServerModuleFile.h"
#include "platform/win32/com/RegistryKeyHandle.h"

namespace telvane::bench {
namespace {

constexpr const wchar_t* SwitchKey = L"Software\\Merrowind\\Telvane\\Options";
constexpr const wchar_t* Modules[] = {L"Telvane.dll", L"TelvanePage.dll"};
// The Options dialog's tab strip (OptionsDialog's own identifier for it).
constexpr UINT_PTR TabControlId = 100;

std::string Hex(HRESULT hr) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(hr));
    return text;
}

}  // namespace

MailClientHost::MailClientHost(memory::MailClient& client) : m_client(client) {
    auto application = win32::com::MakeComObject<outlookhost::ServerApplication>(
        m_context, m_client.Application());
    m_application = win32::ComPtr<IDispatch>(static_cast<IDispatch*>(application.Get()));
}

MailClientHost::~MailClientHost() {
    Stop();
}

std::string MailClientHost::Prepare() {
    for (const wchar_t* module : Modules) {
        const HRESULT hr = outlookhost::ServerModuleFile(module).Register();
        if (FAILED(hr))
            return "DllRegisterServer answered " + Hex(hr);
    }
    LONG error = 0;
    auto key = win32::com::RegistryKeyHandle::Create(HKEY_CLASSES_ROOT, SwitchKey, &error);
    // On: every save from a contact window has the add-in's work to do.
    const DWORD on = 1;
    if (!key || ::RegSetValueExW(key.Get(), L"Default", 0, REG_DWORD,
                                 reinterpret_cast<const BYTE*>(&on), sizeof on) != ERROR_SUCCESS) {
        return "the switch cannot be stored";
    }
    return {};
}

bool MailClientHost::IsLoaded(const wchar_t* module) {
    return ::GetModuleHandleW(module) != nullptr;
}

void MailClientHost::FreeUnused() {
    ::CoFreeUnusedLibrariesEx(0, 0);
}

bool MailClientHost::Start() {
    m_addIns = std::make_unique<outlookhost::AddInHost>(m_context);
    m_addIns->ConnectAtStartup(m_application.Get());
    return m_addIns->Connected(AddInProgId) != nullptr;
}

void MailClientHost::Stop() {
    m_addIns.reset();
}

std::unique_ptr<outlookhost::OptionsDialog> MailClientHost::OpenOptions() {
    auto dialog = std::make_unique<outlookhost::OptionsDialog>(m_context, m_client);
    for (const auto& tab : dialog->Tabs()) {
        if (tab.title == TabTitle)
            return dialog;
    }
    return nullptr;
}

void MailClientHost::ChooseTab(outlookhost::OptionsDialog& dialog) {
    HWND strip = ::GetDlgItem(dialog.Window(), static_cast<int>(TabControlId));
    // The dialog's own tab comes first.
    const auto index = static_cast<WPARAM>(dialog.TabIndex(TabTitle) + 1);
    ::SendMessageW(strip, TCM_SETCURSEL, index, 0);
    NMHDR notice = {strip, TabControlId, static_cast<UINT>(TCN_SELCHANGE)};
    ::SendMessageW(dialog.Window(), WM_NOTIFY, TabControlId, reinterpret_cast<LPARAM>(&notice));
}

HWND MailClientHost::PageWindow(const outlookhost::OptionsDialog& dialog) {
    const auto& tab = dialog.Tabs().at(dialog.TabIndex(TabTitle));
    if (!tab.control)
        return nullptr;
    win32::ComPtr<IOleWindow> window;
    HWND page = nullptr;
    if (FAILED(tab.control->QueryInterface(IID_IOleWindow, window.PutVoid())) ||
        FAILED(window->GetWindow(&page))) {
        return nullptr;
    }
    return page;
}

}  // namespace telvane::bench
