#include "apps/outlookhost/OptionsDialog.h"

#include <commctrl.h>
#include <ocidl.h>

#include <cstring>
#include <stdexcept>
#include <utility>
#include <vector>

#include "apps/outlookhost/OptionsDialogLayout.h"
#include "common/outlook/RaisedError.h"
#include "platform/win32/com/HResultText.h"
#include "platform/win32/com/TextConversion.h"
#include "platform/win32/outlook/ComError.h"
#include "platform/win32/outlook/OutlookIds.h"
#include "platform/win32/ui/PixelScale.h"

namespace telvane::outlookhost {

using win32::com::Hex;

namespace {

constexpr int TabControlId = 100;
constexpr int ApplyId = 0x3021;  // the Apply button of the system's property sheets
using Layout = OptionsDialogLayout;
constexpr int ClientWidth = Layout::ClientWidth;
constexpr int ClientHeight = Layout::ClientHeight;
constexpr int Margin = Layout::Margin;
constexpr int ButtonWidth = Layout::ButtonWidth;
constexpr int ButtonHeight = Layout::ButtonHeight;

// An empty dialog in Tahoma 8, the mail client's dialog font; the controls come in
// WM_INITDIALOG.
std::vector<WORD> DialogTemplate() {
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    DLGTEMPLATE header = {};
    header.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    header.cx = 260;
    header.cy = 300;
    std::memcpy(words.data(), &header, sizeof header);
    const auto text = [&](const wchar_t* value) {
        for (const wchar_t* c = value; *c; ++c)
            words.push_back(static_cast<WORD>(*c));
        words.push_back(0);
    };
    words.push_back(0);  // no menu
    words.push_back(0);  // the dialog class
    text(L"Options");
    words.push_back(8);
    text(L"Tahoma");
    return words;
}

HWND Child(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int id,
           int left, int top, int width, int height) {
    HWND child = ::CreateWindowExW(
        0, className, text, WS_CHILD | WS_VISIBLE | style, left, top, width, height, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(child, WM_SETFONT, ::SendMessageW(parent, WM_GETFONT, 0, 0), FALSE);
    return child;
}

}  // namespace

OptionsDialog::OptionsDialog(std::shared_ptr<HostContext> context, memory::MailClient& client)
    : m_context(std::move(context)), m_client(client) {
    for (const memory::AddedPage& added : m_client.ShowOptionsDialog()) {
        Tab tab;
        tab.progId = added.page.GetKind() == Variant::Kind::Text ? added.page.AsText() : "";
        tab.title = added.title;
        m_context->log("options tab \"" + tab.title + "\" from \"" + tab.progId + "\"");
        m_tabs.push_back(std::move(tab));
        m_sites.push_back(nullptr);
    }
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TAB_CLASSES};
    ::InitCommonControlsEx(&controls);
    const std::vector<WORD> layout = DialogTemplate();
    ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr),
                                 reinterpret_cast<const DLGTEMPLATE*>(layout.data()), nullptr,
                                 &OptionsDialog::Procedure, reinterpret_cast<LPARAM>(this));
    if (!m_window)
        throw std::runtime_error("the Options dialog cannot be created");
    ::ShowWindow(m_window, SW_SHOW);
    ::SetForegroundWindow(m_window);
    ::UpdateWindow(m_window);
}

OptionsDialog::~OptionsDialog() {
    Close();
}

void OptionsDialog::Build(HWND window) {
    m_window = window;
    RECT outer = {0, 0, ClientWidth, ClientHeight};
    ::AdjustWindowRectEx(&outer, static_cast<DWORD>(::GetWindowLongW(window, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongW(window, GWL_EXSTYLE)));
    ::SetWindowPos(window, nullptr, 40, 40, outer.right - outer.left, outer.bottom - outer.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);

    // Created in tab order: the tab strip comes last, the page goes first.
    const int buttonsTop = Layout::ButtonsTop();
    const int applyLeft = ClientWidth - Margin - ButtonWidth;
    m_ok = Child(window, L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK,
                 applyLeft - 2 * (ButtonWidth + 6), buttonsTop, ButtonWidth, ButtonHeight);
    m_cancel = Child(window, L"BUTTON", L"Cancel", WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL,
                     applyLeft - (ButtonWidth + 6), buttonsTop, ButtonWidth, ButtonHeight);
    m_apply = Child(window, L"BUTTON", L"&Apply", WS_TABSTOP | BS_PUSHBUTTON, ApplyId, applyLeft,
                    buttonsTop, ButtonWidth, ButtonHeight);
    ::EnableWindow(m_apply, FALSE);
    const RECT strip = Layout::TabStripRect();
    m_tabControl = Child(window, WC_TABCONTROLW, L"", WS_TABSTOP | WS_CLIPSIBLINGS, TabControlId,
                         strip.left, strip.top, strip.right - strip.left, strip.bottom - strip.top);
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(L"Preferences");
    ::SendMessageW(m_tabControl, TCM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    for (std::size_t i = 0; i < m_tabs.size(); ++i) {
        std::wstring title = win32::com::WideFromUtf8(m_tabs[i].title);
        item.pszText = title.data();
        ::SendMessageW(m_tabControl, TCM_INSERTITEMW, i + 1, reinterpret_cast<LPARAM>(&item));
    }
    ::GetWindowRect(m_tabControl, &m_pageArea);
    ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&m_pageArea), 2);
    ::SendMessageW(m_tabControl, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&m_pageArea));
    m_preferences = Child(window, L"STATIC", L"The mail client's own preferences.", SS_LEFT, 0,
                          m_pageArea.left + 12, m_pageArea.top + 12, 300, 20);
    // What lies over the tab strip's display area lies above it: the strip clips its siblings
    // above it out of its painting, and only those.
    ::SetWindowPos(m_preferences, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

INT_PTR CALLBACK OptionsDialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG)
        ::SetWindowLongPtrW(window, DWLP_USER, lParam);
    auto* self = reinterpret_cast<OptionsDialog*>(::GetWindowLongPtrW(window, DWLP_USER));
    if (!self)
        return FALSE;
    // Nothing may unwind through the system's dialog code.
    try {
        if (message == WM_INITDIALOG) {
            self->Build(window);
            return TRUE;
        }
        return self->Handle(message, wParam, lParam);
    } catch (const RaisedError& error) {
        self->m_errors.push_back("error " + std::to_string(error.Number()) + " " +
                                 error.Description());
    } catch (const std::exception& error) {
        self->m_errors.push_back(error.what());
    } catch (...) {
        self->m_errors.push_back("an unknown failure");
    }
    self->m_context->log("the Options dialog failed: " + self->m_errors.back());
    return TRUE;
}

INT_PTR OptionsDialog::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED &&
                (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL ||
                 LOWORD(wParam) == ApplyId)) {
                Press(LOWORD(wParam));
                return TRUE;
            }
            return FALSE;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->idFrom == TabControlId && header->code == TCN_SELCHANGE) {
                Choose(static_cast<int>(::SendMessageW(m_tabControl, TCM_GETCURSEL, 0, 0)));
                return TRUE;
            }
            return FALSE;
        }
        case WM_CLOSE:
            Press(IDCANCEL);
            return TRUE;
        default:
            return FALSE;
    }
}

std::size_t OptionsDialog::TabIndex(const std::string& title) const {
    for (std::size_t i = 0; i < m_tabs.size(); ++i) {
        if (m_tabs[i].title == title)
            return i;
    }
    throw std::out_of_range("the Options dialog has no tab \"" + title + "\"");
}

void OptionsDialog::Choose(int chosen) {
    if (chosen == m_chosen)
        return;
    // The page that goes is hidden, and stays in place to keep its state until OK or Cancel.
    if (m_chosen == 0) {
        ::ShowWindow(m_preferences, SW_HIDE);
    } else if (m_tabs[static_cast<std::size_t>(m_chosen - 1)].control) {
        Activate(m_tabs[static_cast<std::size_t>(m_chosen - 1)], OLEIVERB_HIDE);
    }
    m_chosen = chosen;
    if (chosen == 0) {
        ::ShowWindow(m_preferences, SW_SHOW);
        return;
    }
    const auto index = static_cast<std::size_t>(chosen - 1);
    HRESULT hr = m_tabs[index].control ? S_OK : CreatePage(index);
    if (SUCCEEDED(hr))
        hr = Activate(m_tabs[index], OLEIVERB_UIACTIVATE);
    if (FAILED(hr))
        m_context->log("the page of \"" + m_tabs[index].title + "\" cannot be shown: " + Hex(hr));
}

HRESULT OptionsDialog::Activate(Tab& tab, LONG verb) {
    ComPtr<IOleObject> object;
    HRESULT hr = tab.control->QueryInterface(IID_IOleObject, object.PutVoid());
    if (FAILED(hr))
        return hr;
    tab.calls.push_back(verb == OLEIVERB_HIDE ? "IOleObject::DoVerb(OLEIVERB_HIDE)"
                        : verb == OLEIVERB_UIACTIVATE
                            ? "IOleObject::DoVerb(OLEIVERB_UIACTIVATE)"
                            : "IOleObject::DoVerb(OLEIVERB_INPLACEACTIVATE)");
    IOleClientSite* site = static_cast<IOleClientSite*>(tab.site.Get());
    hr = object->DoVerb(verb, nullptr, site, 0, m_window, &m_pageArea);
    if (FAILED(hr))
        return hr;
    // The page lies over the tab strip's display area, and first in the dialog's tab order.
    ComPtr<IOleWindow> window;
    HWND page = nullptr;
    if (SUCCEEDED(tab.control->QueryInterface(IID_IOleWindow, window.PutVoid())) &&
        SUCCEEDED(window->GetWindow(&page))) {
        ::SetWindowPos(page, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    return S_OK;
}

HRESULT OptionsDialog::CreatePage(std::size_t index) {
    Tab& tab = m_tabs.at(index);
    if (tab.control)
        return S_OK;
    CLSID clsid{};
    std::wstring progId = win32::com::WideFromUtf8(tab.progId);
    HRESULT hr = ::CLSIDFromProgID(progId.c_str(), &clsid);
    if (FAILED(hr))
        return hr;
    ComPtr<IUnknown> control;
    hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, control.PutVoid());
    tab.calls.push_back("CoCreateInstance(IUnknown)");
    if (FAILED(hr))
        return hr;
    ComPtr<IOleObject> object;
    tab.calls.push_back("QueryInterface(IOleObject)");
    hr = control->QueryInterface(IID_IOleObject, object.PutVoid());
    if (FAILED(hr))
        return hr;
    DWORD status = 0;
    tab.calls.push_back("IOleObject::GetMiscStatus");
    object->GetMiscStatus(DVASPECT_CONTENT, &status);
    const bool siteFirst = (status & OLEMISC_SETCLIENTSITEFIRST) != 0;

    m_sites[index] = m_client.NewPropertyPageSite();
    ServerPropertyPageSite::Dialog dialog;
    dialog.window = m_window;
    dialog.position = m_pageArea;
    dialog.statusChanged = [this, index] { StatusChanged(index); };
    dialog.tabbedOut = [this](bool backwards) { return TabbedOut(backwards); };
    auto site =
        win32::com::MakeComObject<ServerPropertyPageSite>(m_context, m_sites[index], dialog);
    auto* clientSite = static_cast<IOleClientSite*>(site.Get());
    const auto siteIt = [&] {
        tab.calls.push_back("IOleObject::SetClientSite");
        return object->SetClientSite(clientSite);
    };
    if (siteFirst && FAILED(hr = siteIt()))
        return hr;
    ComPtr<IPersistStreamInit> persist;
    tab.calls.push_back("QueryInterface(IPersistStreamInit)");
    hr = control->QueryInterface(IID_IPersistStreamInit, persist.PutVoid());
    if (FAILED(hr))
        return hr;
    tab.calls.push_back("IPersistStreamInit::InitNew");
    if (FAILED(hr = persist->InitNew()))
        return hr;
    if (!siteFirst && FAILED(hr = siteIt()))
        return hr;
    const win32::PixelScale scale = win32::PixelScale::OfWindow(m_window);
    SIZEL extent = {scale.HiMetric(m_pageArea.right - m_pageArea.left),
                    scale.HiMetric(m_pageArea.bottom - m_pageArea.top)};
    tab.calls.push_back("IOleObject::SetExtent");
    object->SetExtent(DVASPECT_CONTENT, &extent);
    ComPtr<OlPropertyPage> page;
    tab.calls.push_back("QueryInterface(PropertyPage)");
    hr = control->QueryInterface(win32::IID_OlPropertyPage, page.PutVoid());
    if (FAILED(hr))
        return hr;
    tab.control = std::move(control);
    tab.page = std::move(page);
    tab.site = std::move(site);
    // OLEMISC_ACTIVATEWHENVISIBLE: in place at once, hidden while its tab is not chosen.
    hr = Activate(tab, OLEIVERB_INPLACEACTIVATE);
    if (SUCCEEDED(hr) && m_chosen != static_cast<int>(index) + 1)
        hr = Activate(tab, OLEIVERB_HIDE);
    return hr;
}

void OptionsDialog::StatusChanged(std::size_t index) {
    bool dirty = false;
    try {
        dirty = Dirty(index);
    } catch (const RaisedError& error) {
        m_context->log("Dirty of \"" + m_tabs[index].title + "\" failed: " + error.Description());
    }
    if (dirty && m_apply)
        ::EnableWindow(m_apply, TRUE);
}

bool OptionsDialog::TabbedOut(bool backwards) {
    if (!m_window)
        return false;
    // After the page come OK, Cancel, Apply and the tab strip, and then the page again.
    ::SendMessageW(m_window, WM_NEXTDLGCTL,
                   reinterpret_cast<WPARAM>(backwards ? m_tabControl : m_ok), TRUE);
    return true;
}

void OptionsDialog::Press(int command) {
    const char* button = command == IDOK ? "OK" : command == IDCANCEL ? "Cancel" : "Apply";
    if (!m_failingButton.empty() && m_failingButton == button) {
        m_failingButton.clear();
        throw std::runtime_error(std::string("the dialog's ") + button + " failed");
    }
    if (command == IDOK || command == ApplyId) {
        try {
            for (std::size_t i = 0; i < m_tabs.size(); ++i) {
                if (m_tabs[i].page)
                    Apply(i);
            }
        } catch (const RaisedError& error) {
            // The dialog stays as it is, as the mail client keeps it open on a failed page.
            m_context->log("Apply failed: error " + std::to_string(error.Number()) + " " +
                           error.Description());
            return;
        }
        ::EnableWindow(m_apply, FALSE);
    }
    if (command == IDOK || command == IDCANCEL)
        Close();
}

bool OptionsDialog::Dirty(std::size_t index) {
    Tab& tab = m_tabs.at(index);
    if (!tab.page)
        throw std::logic_error("the page of \"" + tab.title + "\" was not created");
    VARIANT_BOOL dirty = VARIANT_FALSE;
    tab.calls.push_back("PropertyPage::Dirty");
    HRESULT hr = tab.page->get_Dirty(&dirty);
    if (FAILED(hr))
        throw win32::ErrorFromResult(hr, "Dirty");
    return dirty != VARIANT_FALSE;
}

void OptionsDialog::Apply(std::size_t index) {
    Tab& tab = m_tabs.at(index);
    if (!tab.page)
        throw std::logic_error("the page of \"" + tab.title + "\" was not created");
    tab.calls.push_back("PropertyPage::Apply");
    HRESULT hr = tab.page->Apply();
    if (FAILED(hr))
        throw win32::ErrorFromResult(hr, "Apply");
}

std::int32_t OptionsDialog::StatusChanges(std::size_t index) const {
    const auto& site = m_sites.at(index);
    return site ? site->StatusChanges() : 0;
}

bool OptionsDialog::Mnemonic(MSG& message) {
    // Alt+key anywhere in the dialog reaches the page whose control info lists it.
    for (std::size_t i = 0; i < m_tabs.size(); ++i) {
        Tab& tab = m_tabs[i];
        ComPtr<IOleControl> control;
        if (m_chosen != static_cast<int>(i) + 1 || !tab.control ||
            FAILED(tab.control->QueryInterface(IID_IOleControl, control.PutVoid()))) {
            continue;
        }
        CONTROLINFO info = {};
        info.cb = sizeof info;
        if (FAILED(control->GetControlInfo(&info)) || !info.hAccel || info.cAccel == 0)
            continue;
        std::vector<ACCEL> keys(info.cAccel);
        ::CopyAcceleratorTableW(info.hAccel, keys.data(), info.cAccel);
        for (const ACCEL& key : keys) {
            if ((key.fVirt & FALT) && key.key == message.wParam) {
                tab.calls.push_back("IOleControl::OnMnemonic");
                control->OnMnemonic(&message);
                return true;
            }
        }
    }
    return false;
}

bool OptionsDialog::PreTranslate(MSG& message) {
    if (!m_window)
        return false;
    if (message.message == WM_SYSKEYDOWN &&
        (message.hwnd == m_window || ::IsChild(m_window, message.hwnd)) && Mnemonic(message)) {
        return true;
    }
    const bool key = message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST;
    if (key && m_chosen > 0) {
        Tab& tab = m_tabs[static_cast<std::size_t>(m_chosen - 1)];
        ComPtr<IOleInPlaceActiveObject> active(tab.site ? tab.site->ActiveObject() : nullptr);
        HWND page = nullptr;
        if (active)
            active->GetWindow(&page);
        if (page && (message.hwnd == page || ::IsChild(page, message.hwnd)) &&
            active->TranslateAccelerator(&message) == S_OK) {
            return true;
        }
    }
    return m_window && ::IsDialogMessageW(m_window, &message);
}

void OptionsDialog::Close() {
    for (Tab& tab : m_tabs) {
        ComPtr<IOleObject> object;
        if (tab.control &&
            SUCCEEDED(tab.control->QueryInterface(IID_IOleObject, object.PutVoid()))) {
            tab.calls.push_back("IOleObject::Close");
            object->Close(OLECLOSE_NOSAVE);
            tab.calls.push_back("IOleObject::SetClientSite(null)");
            object->SetClientSite(nullptr);
        }
        if (tab.site) {
            tab.siteCalls = tab.site->Calls();
            tab.site->Disconnect();
        }
        tab.page.Reset();
        tab.control.Reset();
        tab.site.Reset();
    }
    if (m_window) {
        HWND window = std::exchange(m_window, nullptr);
        ::DestroyWindow(window);
    }
}

}  // namespace telvane::outlookhost
