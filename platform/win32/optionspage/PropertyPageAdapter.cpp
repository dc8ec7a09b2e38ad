// Product headers come before <windows.h>: cRegistry's constants share names with its macros.
#include "optionspage/TelvanePage.h"

#include "platform/win32/optionspage/PropertyPageAdapter.h"

#include <ocidl.h>

#include "platform/win32/com/Bstr.h"
#include "platform/win32/com/TextConversion.h"
#include "platform/win32/outlook/OutlookBridge.h"

namespace telvane::win32 {
namespace {

ComPtr<IDispatch> AsPageSite(IUnknown* object) {
    ComPtr<IDispatch> pageSite;
    if (object) {
        object->QueryInterface(PropertyPageAdapter::PropertyPageSiteIid, pageSite.PutVoid());
    }
    return pageSite;
}

// 1440 twips and 2540 HIMETRIC units to the inch.
int Twips(LONG himetric) {
    return static_cast<int>((himetric * 1440 + 1270) / 2540);
}

}  // namespace

PropertyPageAdapter::PropertyPageAdapter(PageLibrary& library)
    : m_page(std::make_unique<TelvanePage>(library)) {}

PropertyPageAdapter::~PropertyPageAdapter() {
    m_page->UserControl_Terminate();
}

void PropertyPageAdapter::ClientSiteChanged(IOleClientSite* site) {
    m_clientSite = ComPtr<IOleClientSite>(site);
    InitialiseWhenReady();
}

void PropertyPageAdapter::InitNew() {
    m_initNewCalled = true;
    InitialiseWhenReady();
}

void PropertyPageAdapter::Resize(const SIZEL& extent) {
    m_page->SetClientSize(Twips(extent.cx), Twips(extent.cy));
    m_page->UserControl_Resize();
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
