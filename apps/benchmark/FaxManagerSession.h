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
// window host of its own. The fax manager is opened the way the user opens it.
class FaxManagerSession {
public:
    explicit FaxManagerSession(memory::MailClient& client);
    FaxManagerSession(const FaxManagerSession&) = delete;
    FaxManagerSession& operator=(const FaxManagerSession&) = delete;

    // Presses the tab's button (which builds the tree), runs `work` while the window is shown
    // and closes it. False when the button did not open it.
    bool WithFaxManager(const std::function<void(frmFaxManager&)>& work);

    PageLibrary& Library() { return m_library; }
    memory::HeadlessHost& Host() { return m_host; }

    // The contact-folder node whose text starts with `name`; null when there is none.
    static std::shared_ptr<forms::Node> ContactFolderNode(const frmFaxManager& form,
                                                          const std::string& name);

private:
    memory::MemoryRegistry m_registry;
    memory::HeadlessHost m_host;
    PageLibrary m_library{m_registry, m_host};
    std::shared_ptr<TelvanePage> m_page;
};

}  // namespace telvane::bench
