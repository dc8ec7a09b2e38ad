// The demo on the built-in sample store: the add-in and the options page on the in-memory mail
// client, with a scripted user. It narrates what changed in the contacts and the registry, and
// draws each window at its moments as SVG pictures.
#include <filesystem>
#include <iostream>
#include <string>

#include "addin/AddInLibrary.h"
#include "addin/TLConnect.h"
#include "apps/demo/Transcript.h"
#include "forms/SvgRenderer.h"
#include "optionspage/PageLibrary.h"
#include "optionspage/TelvanePage.h"
#include "platform/memory/outlook/MailClient.h"
#include "platform/memory/outlook/MemoryPropertyPageSite.h"
#include "platform/memory/registry/MemoryRegistry.h"
#include "platform/memory/ui/HeadlessHost.h"
#include "tests/support/SampleStore.h"

using namespace telvane;

namespace {

class Pictures {
public:
    explicit Pictures(std::filesystem::path folder) : m_folder(std::move(folder)) {}
    void Take(const forms::Form& form, const std::string& moment) {
        const std::string number = std::to_string(++m_count);
        const std::string prefix = std::string(number.size() < 2 ? 1 : 0, '0') + number + "-";
        const auto path = m_folder / (prefix + form.Name() + "-" + moment + ".svg");
        forms::SvgRenderer::RenderToFile(form, path);
        std::cout << "   [picture " << path.filename().string() << "]\n";
    }

private:
    std::filesystem::path m_folder;
    int m_count = 0;
};

std::string Entries(const frmFaxManager& form) {
    std::string text;
    for (int i = 0; i < form.lstContacts.ListCount(); ++i) {
        text += std::string("     ") + (form.lstContacts.Selected(i) ? "[x] " : "[ ] ") +
                form.lstContacts.List(i) + "\n";
    }
    return text.empty() ? "     (empty list)\n" : text;
}

std::shared_ptr<forms::Node> Node(frmFaxManager& form, const std::string& name) {
    for (const auto& node : form.tvContacts.Nodes().All()) {
        if (node->Text().rfind(name, 0) == 0)
            return node;
    }
    throw std::runtime_error("the sample has no folder " + name);
}

}  // namespace

int main(int argc, char** argv) {
    const std::filesystem::path output = argc > 1 ? argv[1] : "out/demo";
    std::filesystem::create_directories(output);
    for (const auto& old : std::filesystem::directory_iterator(output)) {
        if (old.path().extension() == ".svg")
            std::filesystem::remove(old.path());
    }

    memory::MailClient client;
    memory::MemoryRegistry registry;
    memory::HeadlessHost host;
    testsupport::SampleStore sample(client);
    demo::Transcript say(std::cout, client, registry);
    Pictures pictures(output);
    std::cout << "Telvane demo on the built-in sample store\n";

    say.Step("The mail client starts with a folder window and connects the add-in.");
    auto explorer = client.OpenExplorer();
    AddInLibrary addInLibrary(registry);
    TLConnect connection(addInLibrary);
    connection.OnConnection(client.Application());
    say.Say("switch: " + say.SwitchText());

    say.Step("With no switch stored, Ann Archer is edited and saved from her window.");
    {
        auto window = client.OpenInspector(sample.ann);
        window.Edit(outlook::ContactField::JobTitle, "Managing Director");
        window.Save();
        say.Say(std::string("her window is ") + (window.IsOpen() ? "still open" : "closed"));
        window.Close();
    }
    say.Changes();

    say.Step("The user opens the Options dialog; the add-in adds its tab.");
    for (const auto& added : client.ShowOptionsDialog()) {
        say.Say("tab \"" + added.title + "\" added, control " + added.page.ToText());
    }
    PageLibrary pageLibrary(registry, host);
    auto site = client.NewPropertyPageSite();
    auto page = std::make_shared<TelvanePage>(pageLibrary);
    page->UserControl_InitProperties(site);
    page->UserControl_Resize();
    page->Show();
    say.Say("the tab shows " + page->lblVersion.Caption() + ", switch " +
            (page->chkFax.Value() ? "ticked" : "not ticked"));
    pictures.Take(*page, "opened");

    say.Step("The user ticks \"" + page->chkFax.Caption() + "\" and presses Apply.");
    page->chkFax.UserClick();
    say.Say("the page tells the dialog it changed (" + std::to_string(site->StatusChanges()) +
            " status change), Dirty = " + (page->PropertyPage_Dirty() ? "yes" : "no"));
    page->PropertyPage_Apply();
    say.Say(std::string("after Apply, Dirty = ") + (page->PropertyPage_Dirty() ? "yes" : "no"));
    pictures.Take(*page, "ticked");
    say.Changes();

    say.Step("Ann Archer is saved from her window again: the add-in follows the new switch.");
    {
        auto window = client.OpenInspector(sample.ann);
        window.Save();
        say.Say(std::string("the write was cancelled, the item stored hidden and its window ") +
                (window.IsOpen() ? "left open" : "closed"));
    }
    say.Changes();

    say.Step("The user presses \"Manage Fax Number Display...\": the fax manager opens.");
    bool waitPictured = false;
    host.OnDoEvents([&] {
        if (waitPictured || !pageLibrary.frmFaxManager.IsLoaded())
            return;
        auto& form = pageLibrary.frmFaxManager.Get();
        if (!form.lblWait.Visible() || form.lblWait.Caption().find("updated") == std::string::npos)
            return;
        waitPictured = true;
        pictures.Take(form, "working");
    });
    host.WhenShownModally<frmDisplay>("frmDisplay", [&](frmDisplay& details) {
        say.Say("Contact Details: first name '" + details.lblValue(0).Caption() + "', company '" +
                details.lblValue(4).Caption() + "'");
        pictures.Take(details, "shown");
        details.UserPressEscape();
    });
    host.WhenShownModally<frmInstructions>("frmInstructions", [&](frmInstructions& window) {
        pictures.Take(window, "shown");
        window.cmdCancel.UserClick();
    });
    host.WhenShownModally<frmFaxManager>("frmFaxManager", [&](frmFaxManager& form) {
        say.Say("folders in the tree:");
        for (const auto& node : form.tvContacts.Nodes().All()) {
            say.Say(std::string(2 + 2 * node->Depth(), ' ') + node->Text());
        }
        pictures.Take(form, "opened");

        say.Step("The user chooses the folder \"Contacts\".");
        form.tvContacts.UserClickNode(Node(form, "Contacts"));
        say.Say(form.lblCaption(1).Caption() + ":");
        std::cout << Entries(form);
        say.Say("node: " + Node(form, "Contacts")->Text());
        pictures.Take(form, "contacts");

        say.Step("Hide All, then Update.");
        form.cmdSelect(0).UserClick();
        std::cout << Entries(form);
        form.cmdUpdate.UserClick();
        say.Say("node: " + Node(form, "Contacts")->Text());
        say.Changes();

        say.Step("Bob Baker is highlighted and his details shown; then the instructions.");
        form.lstContacts.UserHighlight(1);
        form.cmdDisplay.UserClick();
        form.cmdInstructions.UserClick();

        say.Step("The user chooses \"Suppliers\", presses Show All, then Update.");
        form.tvContacts.UserClickNode(Node(form, "Suppliers"));
        say.Say("chosen:");
        std::cout << Entries(form);
        form.cmdSelect(1).UserClick();
        say.Say("after Show All:");
        std::cout << Entries(form);
        form.cmdUpdate.UserClick();
        say.Say("after Update:");
        std::cout << Entries(form);
        say.Say("node: " + Node(form, "Suppliers")->Text());
        pictures.Take(form, "suppliers-updated");
        say.Changes();

        say.Step("The user presses Close.");
        form.cmdCancel.UserClick();
    });
    page->cmdApplet.UserClick();
    say.Say("the fax manager is closed and its folders released");

    say.Step("The switch is unticked and applied; Bob Baker is saved from his window.");
    page->chkFax.UserClick();
    page->PropertyPage_Apply();
    {
        auto window = client.OpenInspector(sample.bob);
        window.Save();
        say.Say(std::string("his window is ") + (window.IsOpen() ? "still open" : "closed"));
    }
    say.Changes();

    say.Step("The mail client closes its last window and disconnects the add-in.");
    explorer.Close();
    connection.OnDisconnection();
    say.Say("subscriptions left: " + std::to_string(client.LiveSubscriptions()));
    std::cout << "\nDone. Pictures of the windows are in "
              << std::filesystem::absolute(output).string() << "\n";
    return 0;
}
