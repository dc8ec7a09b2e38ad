#include "apps/outlookhost/OptionsDialog.h"

#include <stdexcept>
#include <utility>

#include "common/outlook/RaisedError.h"
#include "platform/win32/outlook/Bstr.h"
#include "platform/win32/outlook/ComError.h"
#include "platform/win32/outlook/OutlookIds.h"

namespace telvane::outlookhost {

using win32::Bstr;

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
}

std::size_t OptionsDialog::TabIndex(const std::string& title) const {
    for (std::size_t i = 0; i < m_tabs.size(); ++i) {
        if (m_tabs[i].title == title)
            return i;
    }
    throw std::out_of_range("the Options dialog has no tab \"" + title + "\"");
}

HRESULT OptionsDialog::CreatePage(std::size_t index) {
    Tab& tab = m_tabs.at(index);
    CLSID clsid{};
    std::wstring progId = Bstr::ToWide(tab.progId);
    HRESULT hr = ::CLSIDFromProgID(progId.c_str(), &clsid);
    if (FAILED(hr))
        return hr;
    ComPtr<IUnknown> control;
    hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, control.PutVoid());
    if (FAILED(hr))
        return hr;

    m_sites[index] = m_client.NewPropertyPageSite();
    auto site = win32::com::MakeComObject<ServerPropertyPageSite>(m_context, m_sites[index]);
    // The page's MiscStatus asks for the site before InitNew.
    ComPtr<IOleObject> oleObject;
    if (SUCCEEDED(control->QueryInterface(IID_IOleObject, oleObject.PutVoid()))) {
        hr = oleObject->SetClientSite(static_cast<IOleClientSite*>(site.Get()));
        if (FAILED(hr))
            return hr;
    }
    ComPtr<IPersistStreamInit> persist;
    if (SUCCEEDED(control->QueryInterface(IID_IPersistStreamInit, persist.PutVoid()))) {
        hr = persist->InitNew();
        if (FAILED(hr))
            return hr;
    }
    ComPtr<OlPropertyPage> page;
    hr = control->QueryInterface(win32::IID_OlPropertyPage, page.PutVoid());
    if (FAILED(hr))
        return hr;
    tab.control = std::move(control);
    tab.page = std::move(page);
    tab.site = std::move(site);
    return S_OK;
}

bool OptionsDialog::Dirty(std::size_t index) {
    Tab& tab = m_tabs.at(index);
    if (!tab.page)
        throw std::logic_error("the page of \"" + tab.title + "\" was not created");
    VARIANT_BOOL dirty = VARIANT_FALSE;
    HRESULT hr = tab.page->get_Dirty(&dirty);
    if (FAILED(hr))
        throw win32::ErrorFromResult(hr, "Dirty");
    return dirty != VARIANT_FALSE;
}

void OptionsDialog::Apply(std::size_t index) {
    Tab& tab = m_tabs.at(index);
    if (!tab.page)
        throw std::logic_error("the page of \"" + tab.title + "\" was not created");
    HRESULT hr = tab.page->Apply();
    if (FAILED(hr))
        throw win32::ErrorFromResult(hr, "Apply");
}

std::int32_t OptionsDialog::StatusChanges(std::size_t index) const {
    const auto& site = m_sites.at(index);
    return site ? site->StatusChanges() : 0;
}

void OptionsDialog::Close() {
    for (Tab& tab : m_tabs) {
        ComPtr<IOleObject> oleObject;
        if (tab.control &&
            SUCCEEDED(tab.control->QueryInterface(IID_IOleObject, oleObject.PutVoid()))) {
            oleObject->Close(OLECLOSE_NOSAVE);
            oleObject->SetClientSite(nullptr);
        }
        tab.page.Reset();
        tab.control.Reset();
        tab.site.Reset();
    }
}

}  // namespace telvane::outlookhost
