#include "apps/benchmark/FaxManagerSession.h"

namespace telvane::bench {

FaxManagerSession::FaxManagerSession(memory::MailClient& client)
    : m_page(std::make_shared<TelvanePage>(m_library)) {
    m_page->UserControl_InitProperties(client.NewPropertyPageSite());
    m_page->Show();
}

bool FaxManagerSession::WithFaxManager(const std::function<void(frmFaxManager&)>& work) {
    bool ran = false;
    m_host.WhenShownModally<frmFaxManager>("frmFaxManager", [&](frmFaxManager& form) {
        ran = true;
        work(form);
        form.cmdCancel.UserClick();
    });
    return m_page->cmdApplet.UserClick() && ran;
}

std::shared_ptr<forms::Node> FaxManagerSession::ContactFolderNode(const frmFaxManager& form,
                                                                  const std::string& name) {
    for (const auto& node : form.tvContacts.Nodes().All()) {
        if (node->Tag() == "F" && node->Text().rfind(name, 0) == 0)
            return node;
    }
    return nullptr;
}

}  // namespace telvane::bench
