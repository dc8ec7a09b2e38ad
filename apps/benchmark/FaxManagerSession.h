#pragma once

#include <functional>
#include <memory>
#include <string>

#include "optionspage/PageLibrary.h"
#include "optionspage/TelvanePage.h"
#include "platform/memory/outlook/MailClient.h"
#include "platform/memory/registry/MemoryRegistry.h"
#include "platform/memory/ui/HeadlessHost.h"

namespace telvane::bench {

// The options tab on a mail client, as the Options dialog creates it, with a registry and a
// window host of its own. The fax manager is opened the way the user opens it. This one has
// the headless host; a host with real windows derives from it.
class FaxManagerSession {
public:
    using Work = std::function<void(frmFaxManager&)>;

    explicit FaxManagerSession(memory::MailClient& client);
    virtual ~FaxManagerSession();
    FaxManagerSession(const FaxManagerSession&) = delete;
    FaxManagerSession& operator=(const FaxManagerSession&) = delete;

    // Presses the tab's button (which builds the tree), runs `work` while the window is shown
    // and closes it. False when the button did not open it.
    virtual bool WithFaxManager(const Work& work);
    // Lets the windows come to rest: what is pending for them (their painting above all) is
    // done. Nothing to do without a display.
    virtual void Settle() {}

    PageLibrary& Library() { return m_library; }

    // The contact-folder node whose text starts with `name`; null when there is none.
    static std::shared_ptr<forms::Node> ContactFolderNode(const frmFaxManager& form,
                                                          const std::string& name);

protected:
    FaxManagerSession(memory::MailClient& client, std::unique_ptr<forms::UiHost> host);
    // The tab's button; true when it opened the fax manager.
    bool PressButton();

private:
    memory::MemoryRegistry m_registry;
    std::unique_ptr<forms::UiHost> m_host;
    PageLibrary m_library{m_registry, *m_host};
    std::shared_ptr<TelvanePage> m_page;
};

}  // namespace telvane::bench
