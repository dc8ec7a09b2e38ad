#include "apps/benchmark/FaxManagerSession.h"

namespace telvane::bench {

FaxManagerSession::FaxManagerSession(memory::MailClient& client)
    : FaxManagerSession(client, std::make_unique<memory::HeadlessHost>()) {}

FaxManagerSession::FaxManagerSession(memory::MailClient& client,
                                     std::unique_ptr<forms::UiHost> host)
    : m_host(std::move(host)), m_page(std::make_shared<TelvanePage>(m_library)) {
    m_page->UserControl_InitProperties(client.NewPropertyPageSite());
    m_page->Show();
}

FaxManagerSession::~FaxManagerSession() = default;

bool FaxManagerSession::PressButton() {
    return m_page->cmdApplet.UserClick();
}

bool FaxManagerSession::WithFaxManager(const Work& work) {
    bool ran = false;
    static_cast<memory::HeadlessHost&>(*m_host).WhenShownModally<frmFaxManager>(
        "frmFaxManager", [&](frmFaxManager& form) {
            ran = true;
            work(form);
            form.cmdCancel.UserClick();
        });
    return PressButton() && ran;
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
