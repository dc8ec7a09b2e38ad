// Product headers come before <windows.h>: cRegistry's constants share names with its macros.
#include "optionspage/TelvanePage.h"

#include "forms/Control.h"
#include "forms/Mnemonic.h"

#include "platform/win32/optionspage/PropertyPageAdapter.h"

#include <ocidl.h>

#include "platform/win32/com/Bstr.h"
#include "platform/win32/com/ComBoundary.h"
#include "platform/win32/com/TextConversion.h"
#include "platform/win32/outlook/OutlookBridge.h"
#include "platform/win32/ui/Win32UiHost.h"

#include <algorithm>
#include <vector>

namespace telvane::win32 {
namespace {

ComPtr<IDispatch> AsPageSite(IUnknown* object) {
    ComPtr<IDispatch> pageSite;
    if (object) {
        object->QueryInterface(PropertyPageAdapter::PropertyPageSiteIid, pageSite.PutVoid());
    }
    return pageSite;
}

PropertyPageAdapter::TeardownFault g_teardownFault = nullptr;

void RunTeardownFault(const char* step) {
    if (g_teardownFault)
        g_teardownFault(step);
}

}  // namespace

void PropertyPageAdapter::InjectTeardownFault(TeardownFault fault) noexcept {
    g_teardownFault = fault;
}

PropertyPageAdapter::PropertyPageAdapter(PageLibrary& library, Win32UiHost& host)
    : m_host(host), m_page(std::make_unique<TelvanePage>(library)) {}

PropertyPageAdapter::~PropertyPageAdapter() {
    com::ComBoundary::Call([&] {
        RunTeardownFault("Terminate");
        m_page->UserControl_Terminate();
        return S_OK;
    });
}

void PropertyPageAdapter::ClientSiteChanged(IOleClientSite* site) {
    m_clientSite = ComPtr<IOleClientSite>(site);
    InitialiseWhenReady();
}

void PropertyPageAdapter::InitNew() {
    m_initNewCalled = true;
    InitialiseWhenReady();
}

void PropertyPageAdapter::Resize(int widthPixels, int heightPixels) {
    // At the scale the host lays the page's controls out with, so the page fills its window.
    m_page->SetClientSize(m_host.Twips(widthPixels), m_host.Twips(heightPixels));
    m_page->UserControl_Resize();
}

void PropertyPageAdapter::WindowCreated(HWND window) {
    m_host.EmbedIn(*m_page, window);
    m_page->Show();
}

void PropertyPageAdapter::WindowDestroying(HWND) {
    try {
        RunTeardownFault("Unload");
        m_page->Unload();
    } catch (...) {
        // Still loaded: its window must not go down with the control's, nor show on its own.
        if (HWND window = m_host.WindowOf(*m_page))
            ::ShowWindow(window, SW_HIDE);
        m_host.EmbedIn(*m_page, nullptr);
        throw;
    }
    m_host.EmbedIn(*m_page, nullptr);
}

std::vector<forms::Control*> PropertyPageAdapter::TabStops() const {
    std::vector<forms::Control*> stops;
    for (forms::Control* control : m_page->TabOrder()) {
        if (control->TabStop() && control->CanReceiveFocus())
            stops.push_back(control);
    }
    return stops;
}

void PropertyPageAdapter::FocusOn(forms::Control& control) {
    control.SetFocus();
    // The model's focus follows native focus only inside the page's window; from outside it
    // (the control's own window had it) the native focus is moved here.
    if (HWND window = m_host.WindowOf(control))
        ::SetFocus(window);
}

void PropertyPageAdapter::Focus() {
    const std::vector<forms::Control*> stops = TabStops();
    if (stops.empty())
        return;
    // Tab from the dialog enters at the first control, Shift+Tab at the last; otherwise the
    // control that had the focus last gets it back.
    if (::GetKeyState(VK_TAB) < 0) {
        FocusOn(::GetKeyState(VK_SHIFT) < 0 ? *stops.back() : *stops.front());
        return;
    }
    const auto active = std::find(stops.begin(), stops.end(), m_page->ActiveControl());
    FocusOn(active == stops.end() ? *stops.front() : **active);
}

bool PropertyPageAdapter::MoveFocus(bool backwards) {
    const std::vector<forms::Control*> stops = TabStops();
    const auto current = std::find(stops.begin(), stops.end(), m_page->ActiveControl());
    if (current == stops.end())
        return false;
    if (backwards ? current == stops.begin() : current + 1 == stops.end())
        return false;
    FocusOn(backwards ? **(current - 1) : **(current + 1));
    return true;
}

bool PropertyPageAdapter::PreTranslateMessage(const MSG& message) {
    return m_host.PreTranslateMessage(message);
}

std::string PropertyPageAdapter::AccessKeys() const {
    std::string keys;
    for (const forms::Control* control : m_page->TabOrder()) {
        const char key = forms::Mnemonic::Parse(control->AccessKeyCaption()).Key();
        if (key != '\0' && keys.find(key) == std::string::npos)
            keys += key;
    }
    return keys;
}

bool PropertyPageAdapter::PressAccessKey(char key) {
    return m_page->UserPressAccessKey(key);
}

void PropertyPageAdapter::GetPageInfo(BSTR* helpFile, LONG* helpContext) {
    std::string file;
    if (helpFile && *helpFile)
        file = com::Utf8FromWide({*helpFile, ::SysStringLen(*helpFile)});
    std::int32_t context = helpContext ? *helpContext : 0;
    const std::string fileBefore = file;
    const std::int32_t contextBefore = context;
    m_page->PropertyPage_GetPageInfo(file, context);
    // Only what the page changed goes back: the caller's own BSTR stays otherwise.
    if (helpFile && file != fileBefore) {
        ::SysFreeString(*helpFile);
        *helpFile = com::Bstr::FromUtf8(file).Detach();
    }
    if (helpContext && context != contextBefore)
        *helpContext = context;
}

bool PropertyPageAdapter::Dirty() const {
    return m_page->PropertyPage_Dirty();
}

void PropertyPageAdapter::Apply() {
    m_page->PropertyPage_Apply();
}

ComPtr<IDispatch> PropertyPageAdapter::FindPageSite(IOleClientSite* site) {
    if (!site)
        return {};
    if (ComPtr<IDispatch> pageSite = AsPageSite(site))
        return pageSite;

    ComPtr<IOleContainer> container;
    if (SUCCEEDED(site->GetContainer(container.Put()))) {
        if (ComPtr<IDispatch> pageSite = AsPageSite(container.Get()))
            return pageSite;
    }

    ComPtr<IOleControlSite> controlSite;
    if (SUCCEEDED(site->QueryInterface(IID_IOleControlSite, controlSite.PutVoid()))) {
        ComPtr<IDispatch> extender;
        if (SUCCEEDED(controlSite->GetExtendedControl(extender.Put()))) {
            if (ComPtr<IDispatch> pageSite = AsPageSite(extender.Get()))
                return pageSite;
        }
    }
    return {};
}

void PropertyPageAdapter::InitialiseWhenReady() {
    if (m_initialised || !m_initNewCalled || !m_clientSite)
        return;
    m_initialised = true;
    const ComPtr<IDispatch> pageSite = FindPageSite(m_clientSite.Get());
    m_page->UserControl_InitProperties(WrapPropertyPageSite(pageSite.Get()));
}

}  // namespace telvane::win32
