#pragma once

#include <ole2.h>
#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "apps/outlookhost/HostContext.h"
#include "apps/outlookhost/OutlookInterfaces.h"
#include "apps/outlookhost/ServerPropertyPageSite.h"
#include "platform/memory/outlook/MailClient.h"
#include "platform/win32/com/ComPtr.h"

namespace telvane::outlookhost {

// The mail client's Options dialog: built by raising OptionsPagesAdd; each custom page added
// is an ActiveX control created from its ProgID when its tab is shown, given a client site
// that is also the PropertyPageSite (site first, then InitNew), and asked Dirty and Apply
// through the PropertyPage vtable.
class OptionsDialog {
public:
    struct Tab {
        std::string progId;  // the page as PropertyPages.Add was given it, read as text
        std::string title;
        ComPtr<IUnknown> control;
        ComPtr<OlPropertyPage> page;
        ComPtr<ServerPropertyPageSite> site;
    };

    OptionsDialog(std::shared_ptr<HostContext> context, memory::MailClient& client);
    OptionsDialog(const OptionsDialog&) = delete;
    OptionsDialog& operator=(const OptionsDialog&) = delete;
    ~OptionsDialog() { Close(); }

    const std::vector<Tab>& Tabs() const { return m_tabs; }
    // The tab with that title; throws std::out_of_range when there is none.
    std::size_t TabIndex(const std::string& title) const;

    // Creates the tab's page control; answers the failure when the control cannot be made or
    // is not a PropertyPage.
    HRESULT CreatePage(std::size_t tab);
    // Raise RaisedError when the page fails.
    bool Dirty(std::size_t tab);
    void Apply(std::size_t tab);
    // The site's OnStatusChange calls so far.
    std::int32_t StatusChanges(std::size_t tab) const;
    // Closes every page control and releases it.
    void Close();

private:
    std::shared_ptr<HostContext> m_context;
    memory::MailClient& m_client;
    std::vector<Tab> m_tabs;
    std::vector<std::shared_ptr<memory::MemoryPropertyPageSite>> m_sites;
};

}  // namespace telvane::outlookhost
