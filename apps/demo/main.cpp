// The demo on the built-in sample store: the add-in connected to the in-memory mail client, a
// user saving contacts from their windows with the switch off and on.
#include <filesystem>
#include <iostream>

#include "addin/AddInLibrary.h"
#include "addin/TLConnect.h"
#include "apps/demo/SampleStore.h"
#include "apps/demo/Transcript.h"
#include "platform/memory/outlook/MailClient.h"
#include "platform/memory/registry/MemoryRegistry.h"
#include "registry/Settings.h"

using namespace telvane;

int main(int argc, char** argv) {
    const std::filesystem::path output = argc > 1 ? argv[1] : "out/demo";
    std::filesystem::create_directories(output);

    memory::MailClient client;
    memory::MemoryRegistry registry;
    demo::SampleStore sample(client);
    demo::Transcript say(std::cout, client, registry);
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

    say.Step("The user opens the Options dialog.");
    for (const auto& page : client.ShowOptionsDialog()) {
        say.Say("tab \"" + page.title + "\" added, control " + page.page.ToText());
    }

    say.Step("The switch is ticked and applied (stored as the options page stores it).");
    Settings pageSettings(registry, "TelvanePage");
    pageSettings.SettingsKeyPath = Settings::KeyPath;
    pageSettings.WriteSwitch(1);
    say.Changes();

    say.Step("Ann Archer is saved from her window again.");
    {
        auto window = client.OpenInspector(sample.ann);
        window.Save();
        say.Say(std::string("the write was cancelled, the item stored and its window ") +
                (window.IsOpen() ? "left open" : "closed"));
    }
    say.Changes();

    say.Step("The switch is unticked and applied; Bob Baker (hidden) is saved from his window.");
    pageSettings.WriteSwitch(0);
    {
        auto window = client.OpenInspector(sample.bob);
        window.Save();
        say.Say(std::string("his window is ") + (window.IsOpen() ? "still open" : "closed"));
    }
    say.Changes();

    say.Step("The mail client closes its last window; the add-in lets go of everything.");
    explorer.Close();
    connection.OnDisconnection();
    say.Say("subscriptions left: " + std::to_string(client.LiveSubscriptions()));
    std::cout << "\nDone. Output folder: " << std::filesystem::absolute(output).string() << "\n";
    return 0;
}
