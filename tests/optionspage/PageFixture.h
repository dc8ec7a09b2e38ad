#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "optionspage/PageLibrary.h"
#include "optionspage/TelvanePage.h"
#include "platform/memory/outlook/MailClient.h"
#include "platform/memory/outlook/MemoryPropertyPageSite.h"
#include "platform/memory/registry/MemoryRegistry.h"
#include "platform/memory/ui/HeadlessHost.h"

namespace telvane {

// The options-page library on an in-memory mail client, registry and headless window host,
// with the tab created as the Options dialog creates it.
class PageFixture : public testing::Test {
protected:
    void CreatePage(std::shared_ptr<outlook::PropertyPageSite> container) {
        page = std::make_shared<TelvanePage>(library);
        page->UserControl_InitProperties(container);
        page->Show();
    }
    void CreatePage() { CreatePage(site); }

    // Presses the tab's manager button; `script` acts as the user while the window is shown and
    // must close it.
    void WithFaxManager(std::function<void(frmFaxManager&)> script) {
        if (!page)
            CreatePage();
        host.WhenShownModally<frmFaxManager>("frmFaxManager", std::move(script));
        ASSERT_TRUE(page->cmdApplet.UserClick());
    }

    // The node whose text starts with `name`, or a failed test.
    static std::shared_ptr<forms::Node> NodeNamed(frmFaxManager& form, const std::string& name) {
        for (const auto& node : form.tvContacts.Nodes().All()) {
            if (node->Text().rfind(name, 0) == 0)
                return node;
        }
        ADD_FAILURE() << "no node named " << name;
        return nullptr;
    }
    static std::vector<std::string> Entries(const frmFaxManager& form) {
        std::vector<std::string> texts;
        for (int i = 0; i < form.lstContacts.ListCount(); ++i) {
            texts.push_back((form.lstContacts.Selected(i) ? "[x] " : "[ ] ") +
                            form.lstContacts.List(i));
        }
        return texts;
    }

    void StoreSwitch(std::int16_t value) {
        Settings settings(registry, "Test");
        settings.SettingsKeyPath = Settings::KeyPath;
        settings.WriteSwitch(value);
    }

    memory::MailClient client;
    memory::MemoryRegistry registry;
    memory::HeadlessHost host;
    PageLibrary library{registry, host};
    std::shared_ptr<memory::MemoryPropertyPageSite> site = client.NewPropertyPageSite();
    std::shared_ptr<TelvanePage> page;
};

}  // namespace telvane
