// Every failure point of the user's actions, tried one by one: each action is run once to count
// the calls it makes, then again for each k with the k-th call failing (once, and from there
// on), and after every run the promises that must hold whatever failed are checked.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "addin/AddInLibrary.h"
#include "addin/TLConnect.h"
#include "common/FaxNumberRule.h"
#include "common/outlook/RaisedError.h"
#include "optionspage/PageLibrary.h"
#include "optionspage/TelvanePage.h"
#include "platform/memory/outlook/MailClient.h"
#include "platform/memory/registry/MemoryRegistry.h"
#include "platform/memory/ui/HeadlessHost.h"
#include "registry/Settings.h"

namespace telvane {
namespace {

using memory::ContactFields;
using memory::Operation;
using outlook::ContactField;

// Numbers the mail client fails with: MAPI_E_NOT_FOUND, E_FAIL, DISP_E_EXCEPTION and an
// automation error. The product has no reason to tell them apart; trying several shows it
// does not.
const std::int32_t kMailErrors[] = {-2147221233, -2147467259, -2147352567, 440};
// Registry codes: access denied, bad handle, more data, key deleted. "Not found" is no failure:
// it is how the registry says the switch was never stored.
const long kRegistryErrors[] = {5, 6, 234, 1018};

struct Plan {
    enum Target { None, Mail, Registry } target = None;
    std::uint64_t k = 0;
    long number = 0;
    bool every = false;
};

std::string Describe(const Plan& plan) {
    if (plan.target == Plan::None)
        return "no failure";
    return std::string(plan.target == Plan::Mail ? "mail client" : "registry") + " call " +
           std::to_string(plan.k) + (plan.every ? " and after" : "") + " failing with " +
           std::to_string(plan.number);
}

bool Hidden(const ContactFields& fields) {
    for (auto field : FaxFields) {
        if (fields.Get(field).rfind(FaxMarker, 0) == 0)
            return true;
    }
    return false;
}

bool IsWrite(Operation operation) {
    const auto value = static_cast<int>(operation);
    return (value >= static_cast<int>(Operation::ContactFieldPut) &&
            value < static_cast<int>(Operation::ContactFieldPut) + 8) ||
           operation == Operation::ContactSave || operation == Operation::ContactClose;
}

struct Totals {
    int runs = 0;
    int injected = 0;
};

// ---------------------------------------------------------------------------------------------
// The fax manager.

// The options page on a fresh mail client: contacts at the top of a store, one nested inside,
// one without a file-as text, a distribution list, and a folder below a mail folder.
struct PageWorld {
    memory::MailClient client;
    memory::MemoryRegistry registry;
    memory::HeadlessHost host;
    PageLibrary library{registry, host};
    std::shared_ptr<memory::MemoryPropertyPageSite> site = client.NewPropertyPageSite();
    std::shared_ptr<TelvanePage> page;

    memory::FolderHandle personal = client.AddStore("Personal Folders");
    memory::FolderHandle contacts = personal.AddFolder("Contacts", outlook::olContactItem);
    memory::FolderHandle suppliers = contacts.AddFolder("Suppliers", outlook::olContactItem);
    memory::FolderHandle archive =
        personal.AddFolder("Archive").AddFolder("Old Contacts", outlook::olContactItem);

    PageWorld() {
        contacts.AddContact(
            {.FileAs = "Archer, Ann", .FirstName = "Ann", .BusinessFaxNumber = "01"});
        contacts.AddContact({.FileAs = "Baker, Bob", .HomeFaxNumber = "Fax: 02"});
        contacts.AddContact({.FileAs = "Cruz, Carla"});
        contacts.AddContact({.FileAs = "Dorsey, Dan",
                             .BusinessFaxNumber = "Fax: 03",
                             .HomeFaxNumber = "04",
                             .OtherFaxNumber = "05"});
        contacts.AddDistributionList("Team");
        contacts.AddContact({.OtherFaxNumber = "06"});  // no file-as text
        suppliers.AddContact({.FileAs = "Fox, Fiona", .BusinessFaxNumber = "Fax: 07"});
        suppliers.AddContact({.FileAs = "Gray, Gus", .HomeFaxNumber = "08"});
        archive.AddContact({.FileAs = "Hill, Hal", .BusinessFaxNumber = "09"});
        page = std::make_shared<TelvanePage>(library);
        page->UserControl_InitProperties(site);
        page->Show();
    }

    std::vector<memory::ItemHandle> Items() const {
        std::vector<memory::ItemHandle> all;
        for (const auto& folder : {contacts, suppliers, archive}) {
            for (std::int32_t i = 1; i <= folder.ItemCount(); ++i)
                all.push_back(folder.Item(i));
        }
        return all;
    }

    static std::shared_ptr<forms::Node> Node(frmFaxManager& form, const std::string& name) {
        for (const auto& node : form.tvContacts.Nodes().All()) {
            if (node->Text().rfind(name, 0) == 0)
                return node;
        }
        return nullptr;
    }
};

struct PageAction {
    const char* name;
    // The folder the list belongs to after the action (empty: no list to check).
    const char* listed;
    // Whether the steps before the action made a list, so that Display may be shown.
    bool listedBefore;
    // Steps before the action, never failing; and the action itself, whose calls fail.
    std::function<void(PageWorld&, frmFaxManager&)> prepare;
    std::function<void(PageWorld&, frmFaxManager&)> act;
    // The action is the opening (its calls run before the window shows) or ends the window.
    bool opens = false;
    bool closes = false;
};

void Choose(frmFaxManager& form, const char* name) {
    auto node = PageWorld::Node(form, name);
    if (!node)
        throw std::logic_error(std::string("no node ") + name);
    form.tvContacts.UserClickNode(node);
}

const PageAction kPageActions[] = {
    {"open", "", false, {}, {}, true, false},
    {"choose a folder",
     "Contacts",
     false,
     {},
     [](PageWorld&, frmFaxManager& f) { Choose(f, "Contacts"); }},
    {"choose a nested folder", "Suppliers", true,
     [](PageWorld&, frmFaxManager& f) { Choose(f, "Contacts"); },
     [](PageWorld&, frmFaxManager& f) { Choose(f, "Suppliers"); }},
    {"choose a folder below a mail folder", "Old Contacts", true,
     [](PageWorld&, frmFaxManager& f) { Choose(f, "Suppliers"); },
     [](PageWorld&, frmFaxManager& f) { Choose(f, "Old Contacts"); }},
    {"Hide All + Update", "Contacts", true,
     [](PageWorld&, frmFaxManager& f) {
         Choose(f, "Contacts");
         f.cmdSelect(0).UserClick();
     },
     [](PageWorld&, frmFaxManager& f) { f.cmdUpdate.UserClick(); }},
    {"Show All + Update", "Contacts", true,
     [](PageWorld&, frmFaxManager& f) {
         Choose(f, "Contacts");
         f.cmdSelect(1).UserClick();
     },
     [](PageWorld&, frmFaxManager& f) { f.cmdUpdate.UserClick(); }},
    {"tick one + Update", "Suppliers", true,
     [](PageWorld&, frmFaxManager& f) {
         Choose(f, "Suppliers");
         f.lstContacts.UserTick(1);  // Gray, Gus
     },
     [](PageWorld&, frmFaxManager& f) { f.cmdUpdate.UserClick(); }},
    {"untick one + Update", "Contacts", true,
     [](PageWorld&, frmFaxManager& f) {
         Choose(f, "Contacts");
         f.lstContacts.UserTick(3);  // Dorsey, Dan: one hidden number, two shown
     },
     [](PageWorld&, frmFaxManager& f) { f.cmdUpdate.UserClick(); }},
    {"collapse the parent, tick one + Update", "Suppliers", true,
     [](PageWorld&, frmFaxManager& f) {
         Choose(f, "Suppliers");
         f.tvContacts.UserToggleNode(PageWorld::Node(f, "Contacts"));
         f.lstContacts.UserTick(1);
     },
     [](PageWorld&, frmFaxManager& f) { f.cmdUpdate.UserClick(); }},
    {"details", "Contacts", true,
     [](PageWorld&, frmFaxManager& f) {
         Choose(f, "Contacts");
         f.lstContacts.UserHighlight(0);  // the contact without a file-as text
     },
     [](PageWorld& w, frmFaxManager& f) {
         w.host.WhenShownModally("frmDisplay",
                                 [](forms::Form& details) { details.UserPressEscape(); });
         f.cmdDisplay.UserClick();
     }},
    {"close", "", false, [](PageWorld&, frmFaxManager& f) { Choose(f, "Contacts"); },
     [](PageWorld&, frmFaxManager& f) { f.cmdCancel.UserClick(); }, false, true},
    {"close box", "", false, [](PageWorld&, frmFaxManager& f) { Choose(f, "Contacts"); },
     [](PageWorld&, frmFaxManager& f) { f.UserClose(); }, false, true},
};

struct PageRun {
    std::uint64_t calls = 0;  // made by the action
    bool fired = false;
    std::vector<ContactFields> stored;
    std::vector<std::string> problems;
};

PageRun RunPageAction(const PageAction& action, const Plan& plan) {
    PageWorld world;
    PageRun run;
    auto problem = [&](const std::string& text) { run.problems.push_back(text); };
    const std::vector<memory::ItemHandle> items = world.Items();
    std::vector<std::int32_t> savesBefore;
    for (const auto& item : items)
        savesBefore.push_back(item.Saves());
    std::uint64_t callsAtStart = 0;
    auto arm = [&] {
        callsAtStart = world.client.Calls().Total();
        world.client.RecordCalls(true);
        if (plan.target == Plan::Mail) {
            memory::Failure failure{.number = static_cast<std::int32_t>(plan.number)};
            if (plan.every) {
                world.client.FailCallsFromNow(plan.k, failure);
            } else {
                world.client.FailCallFromNow(plan.k, failure);
            }
        }
    };
    std::optional<std::size_t> failedAt;
    auto disarm = [&] {
        if (world.client.CountdownFiredAt() != 0)
            failedAt = world.client.CountdownFiredAt() - 1;
        world.client.ClearFailures();
        world.client.RecordCalls(false);
        run.calls = world.client.Calls().Total() - callsAtStart;
    };
    const std::size_t messagesBefore = world.host.Messages().size();

    auto checkWindow = [&](frmFaxManager& form) {
        if (!form.frmeControl.Enabled())
            problem("the frame is left disabled");
        if (form.MousePointer() != forms::MousePointer::Default)
            problem("the hourglass stays");
        if (form.lblWait.Visible() || form.pbWait.Visible())
            problem("the wait look stays");
        if (!form.lstContacts.Visible())
            problem("the list is left hidden");
        const std::string listed = action.listed;
        auto node = listed.empty() ? nullptr : PageWorld::Node(form, listed);
        const bool listMade =
            action.listedBefore || (node && node->Text().find("Hidden Fax") != std::string::npos);
        if (form.cmdDisplay.Visible() && !listMade)
            problem("Display is shown though no list was made");
        if (world.library.frmDisplay.IsLoaded())
            problem("the details window stays loaded");
        // The ticks shown must be what is stored.
        if (!listed.empty()) {
            memory::FolderHandle folder = listed == "Contacts"    ? world.contacts
                                          : listed == "Suppliers" ? world.suppliers
                                                                  : world.archive;
            for (int j = 0; j < form.lstContacts.ListCount(); ++j) {
                const std::int32_t position = form.lstContacts.ItemData(j);
                if (position < 1 || position > folder.ItemCount()) {
                    problem("an entry names no item");
                    continue;
                }
                if (form.lstContacts.Selected(j) != Hidden(folder.Item(position).Stored())) {
                    problem("the tick of \"" + form.lstContacts.List(j) +
                            "\" disagrees with what is stored");
                }
            }
        }
    };

    std::vector<memory::RecordedCall> calls;
    world.host.WhenShownModally<frmFaxManager>("frmFaxManager", [&](frmFaxManager& form) {
        if (action.opens) {
            disarm();
        } else {
            if (action.prepare)
                action.prepare(world, form);
            arm();
            try {
                action.act(world, form);
            } catch (const std::exception& error) {
                problem(std::string("an exception reached the user: ") + error.what());
            }
            disarm();
        }
        calls = world.client.RecordedCalls();
        if (form.IsLoaded()) {
            if (action.closes)
                problem("the window did not close");
            checkWindow(form);
            form.cmdCancel.UserClick();
        }
    });
    const std::int32_t objectsBefore = world.client.LiveObjects();
    if (action.opens)
        arm();
    try {
        world.page->cmdApplet.UserClick();
    } catch (const std::exception& error) {
        problem(std::string("an exception reached the user: ") + error.what());
        disarm();
    }
    run.fired = failedAt.has_value();

    // What a failure must name: the item the failing call worked on, by its position.
    if (failedAt && *failedAt < calls.size() && !action.opens) {
        const memory::RecordedCall& failing = calls[*failedAt];
        std::optional<std::int32_t> position;
        for (const auto& folder : {world.contacts, world.suppliers, world.archive}) {
            for (std::int32_t i = 1; i <= folder.ItemCount(); ++i) {
                if (folder.Item(i).IsTargetOf(failing))
                    position = i;
            }
            if (failing.operation == Operation::ItemsItem && folder.IsTargetOf(failing))
                position = failing.position;
        }
        const auto& messages = world.host.Messages();
        if (messages.size() <= messagesBefore) {
            problem("the failure was not reported");
        } else {
            const std::string& text = messages[messagesBefore].text;
            if (position && text.find("item " + std::to_string(*position)) == std::string::npos)
                problem("the message names no contact: " + text);
            if (text.find(std::to_string(plan.number)) == std::string::npos)
                problem("the message does not carry the error's number: " + text);
        }
    }
    if (failedAt) {
        for (std::size_t i = *failedAt + 1; i < calls.size(); ++i) {
            if (IsWrite(calls[i].operation)) {
                problem("a contact was written after the failure (" +
                        std::string(memory::OperationName(calls[i].operation)) + ")");
                break;
            }
        }
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        run.stored.push_back(items[i].Stored());
        if (items[i].Saves() - savesBefore[i] > 1)
            problem("item " + std::to_string(i) + " was saved more than once");
    }
    if (world.host.ModalStack().size() != 0)
        problem("a window is left modal");
    if (world.client.LiveObjects() != objectsBefore)
        problem("mail client objects are left held: " +
                std::to_string(world.client.LiveObjects() - objectsBefore));
    if (world.client.LiveSubscriptions() != 0)
        problem("subscriptions are left");
    if (world.registry.OpenHandleCount() > world.registry.RefusedCloses())
        problem("registry handles are left open");
    return run;
}

void CheckStored(const PageRun& run, const PageRun& clean, const std::vector<ContactFields>& before,
                 std::vector<std::string>& problems) {
    for (std::size_t i = 0; i < run.stored.size(); ++i) {
        if (run.stored[i] != before[i] && run.stored[i] != clean.stored[i]) {
            problems.push_back("item " + std::to_string(i) +
                               " is stored neither as before nor as asked");
        }
    }
}

TEST(FaultSweep, EveryFailurePointOfTheFaxManagerLeavesContactsAndWindowSound) {
    const auto start = std::chrono::steady_clock::now();
    Totals totals;
    std::vector<ContactFields> before;
    for (const auto& item : PageWorld().Items())
        before.push_back(item.Stored());
    for (const PageAction& action : kPageActions) {
        const PageRun clean = RunPageAction(action, {});
        ++totals.runs;
        std::cout << "  " << action.name << ": " << clean.calls << " calls\n";
        for (const auto& text : clean.problems)
            ADD_FAILURE() << action.name << ", no failure: " << text;
        int failing = 0;
        for (std::uint64_t k = 1; k <= clean.calls; ++k) {
            std::vector<Plan> plans;
            for (auto number : kMailErrors) {
                plans.push_back({Plan::Mail, k, number, false});
                plans.push_back({Plan::Mail, k, number, true});
            }
            for (const Plan& plan : plans) {
                PageRun run = RunPageAction(action, plan);
                ++totals.runs;
                totals.injected += run.fired;
                if (!run.fired)
                    run.problems.push_back("the planned failure never happened");
                CheckStored(run, clean, before, run.problems);
                for (const auto& text : run.problems) {
                    ADD_FAILURE() << action.name << ", " << Describe(plan) << ": " << text;
                    ++failing;
                }
                if (failing > 20)
                    FAIL() << "stopping after 20 problems";
            }
        }
    }
    const auto seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::cout << "fax manager sweep: " << totals.runs << " runs, " << totals.injected
              << " failures injected, " << seconds << " s\n";
    EXPECT_GT(totals.injected, 300) << "the actions make fewer calls than they should";
}

// ---------------------------------------------------------------------------------------------
// The add-in's save from the contact window.

struct SaveCase {
    const char* name;
    std::optional<std::int32_t> stored;  // the switch; empty: never stored
    ContactFields typed;
};

const ContactFields kShown{
    .FileAs = "Ann", .BusinessFaxNumber = "0123", .HomeFaxNumber = "0456", .OtherFaxNumber = "07"};
const ContactFields kHidden{.FileAs = "Ann",
                            .BusinessFaxNumber = "Fax: 0123",
                            .HomeFaxNumber = "Fax: 0456",
                            .OtherFaxNumber = "Fax: 07"};

const SaveCase kSaveCases[] = {
    {"switch on, numbers to hide", 1, kShown},
    {"switch on, nothing to change", 1, kHidden},
    {"switch off, markers to remove", 0, kHidden},
    {"switch off, nothing to change", 0, kShown},
    {"switch missing, markers to remove", std::nullopt, kHidden},
    {"switch missing, nothing to change", std::nullopt, kShown},
};

struct SaveRun {
    std::uint64_t mailCalls = 0;
    std::size_t registryCalls = 0;
    bool fired = false;
    std::vector<std::string> problems;
};

SaveRun RunSave(const SaveCase& c, const Plan& plan) {
    memory::MailClient client;
    memory::MemoryRegistry registry;
    auto library = std::make_unique<AddInLibrary>(registry);
    auto connection = std::make_unique<TLConnect>(*library);
    memory::FolderHandle folder =
        client.AddStore("Personal Folders").AddFolder("Contacts", outlook::olContactItem);
    const ContactFields before{.FileAs = "Ann", .BusinessFaxNumber = "1", .HomeFaxNumber = "2"};
    memory::ItemHandle contact = folder.AddContact(before);
    if (c.stored) {
        Settings settings(registry, "Test");
        settings.SettingsKeyPath = Settings::KeyPath;
        settings.WriteSwitch(static_cast<std::int16_t>(*c.stored));
    }
    SaveRun run;
    auto problem = [&](const std::string& text) { run.problems.push_back(text); };
    const std::int32_t objectsBefore = client.LiveObjects();
    connection->OnConnection(client.Application());
    std::optional<memory::InspectorHandle> window = client.OpenInspector(contact);
    for (auto field : {ContactField::FileAs, ContactField::BusinessFaxNumber,
                       ContactField::HomeFaxNumber, ContactField::OtherFaxNumber}) {
        window->Edit(field, c.typed.Get(field));
    }
    ContactFields wanted = c.typed;
    if (c.stored.value_or(0) == 1)
        wanted = kHidden;
    if (c.stored.value_or(0) == 0)
        wanted = kShown;

    const std::uint64_t mailAtStart = client.Calls().Total();
    const std::size_t registryAtStart = [&] {
        std::size_t total = 0;
        for (int f = 0;
             f <= static_cast<int>(memory::MemoryRegistry::Function::ExpandEnvironmentStrings);
             ++f) {
            total += registry.CallCount(static_cast<memory::MemoryRegistry::Function>(f));
        }
        return total;
    }();
    client.RecordCalls(true);
    if (plan.target == Plan::Mail) {
        memory::Failure failure{.number = static_cast<std::int32_t>(plan.number)};
        if (plan.every) {
            client.FailCallsFromNow(plan.k, failure);
        } else {
            client.FailCallFromNow(plan.k, failure);
        }
    } else if (plan.target == Plan::Registry) {
        if (plan.every) {
            registry.FailCallsFromNow(plan.k, plan.number);
        } else {
            registry.FailCallFromNow(plan.k, plan.number);
        }
    }
    try {
        window->Save();
    } catch (const std::exception& error) {
        problem(std::string("an exception reached the mail client: ") + error.what());
    }
    const std::uint64_t mailFired = client.CountdownFiredAt();
    const std::size_t registryFired = registry.CountdownFiredAt();
    run.fired = mailFired != 0 || registryFired != 0;
    client.ClearFailures();
    registry.ClearFailures();
    client.RecordCalls(false);
    run.mailCalls = client.Calls().Total() - mailAtStart;
    for (int f = 0;
         f <= static_cast<int>(memory::MemoryRegistry::Function::ExpandEnvironmentStrings); ++f) {
        run.registryCalls += registry.CallCount(static_cast<memory::MemoryRegistry::Function>(f));
    }
    run.registryCalls -= registryAtStart;

    for (const auto& error : client.HandlerErrors()) {
        if (error.source == "C++")
            problem("a handler let a foreign exception out: " + error.description);
    }
    const ContactFields stored = contact.Stored();
    if (stored.FileAs != c.typed.FileAs)
        problem("the user's own edit was not stored");
    for (auto field : FaxFields) {
        const std::string& text = stored.Get(field);
        if (text != before.Get(field) && text != c.typed.Get(field) && text != wanted.Get(field))
            problem("a fax field is stored as neither typed nor asked: " + text);
    }
    if (contact.Saves() != 1)
        problem("the user's save stored the contact " + std::to_string(contact.Saves()) + " times");
    if (mailFired != 0) {
        const auto& calls = client.RecordedCalls();
        for (std::size_t i = mailFired; i < calls.size(); ++i) {
            if (IsWrite(calls[i].operation)) {
                problem("the contact was written after the failure");
                break;
            }
        }
    }
    if (window->IsOpen())
        window->Close();
    window.reset();
    connection->OnDisconnection();
    connection.reset();
    library.reset();
    if (client.LiveSubscriptions() != 0)
        problem("subscriptions are left");
    if (client.LiveObjects() != objectsBefore)
        problem("mail client objects are left held");
    if (registry.OpenHandleCount() > registry.RefusedCloses())
        problem("registry handles are left open");
    return run;
}

TEST(FaultSweep, EveryFailurePointOfASaveFromTheWindowKeepsTheUsersSave) {
    const auto start = std::chrono::steady_clock::now();
    Totals totals;
    int failing = 0;
    for (const SaveCase& c : kSaveCases) {
        const SaveRun clean = RunSave(c, {});
        ++totals.runs;
        std::cout << "  " << c.name << ": " << clean.mailCalls << " mail client calls, "
                  << clean.registryCalls << " registry calls\n";
        for (const auto& text : clean.problems)
            ADD_FAILURE() << c.name << ", no failure: " << text;
        std::vector<Plan> plans;
        for (std::uint64_t k = 1; k <= clean.mailCalls; ++k) {
            for (auto number : kMailErrors) {
                plans.push_back({Plan::Mail, k, number, false});
                plans.push_back({Plan::Mail, k, number, true});
            }
        }
        for (std::uint64_t k = 1; k <= clean.registryCalls; ++k) {
            for (auto number : kRegistryErrors) {
                plans.push_back({Plan::Registry, k, number, false});
                plans.push_back({Plan::Registry, k, number, true});
            }
        }
        for (const Plan& plan : plans) {
            SaveRun run = RunSave(c, plan);
            ++totals.runs;
            totals.injected += run.fired;
            if (!run.fired)
                run.problems.push_back("the planned failure never happened");
            for (const auto& text : run.problems) {
                ADD_FAILURE() << c.name << ", " << Describe(plan) << ": " << text;
                ++failing;
            }
            if (failing > 20)
                FAIL() << "stopping after 20 problems";
        }
    }
    const auto seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::cout << "save sweep: " << totals.runs << " runs, " << totals.injected
              << " failures injected, " << seconds << " s\n";
    EXPECT_GT(totals.injected, 100) << "the saves make fewer calls than they should";
}

// ---------------------------------------------------------------------------------------------
// The options tab: its load reads the switch, its Apply writes it.

std::size_t RegistryCalls(const memory::MemoryRegistry& registry) {
    std::size_t total = 0;
    for (int f = 0;
         f <= static_cast<int>(memory::MemoryRegistry::Function::ExpandEnvironmentStrings); ++f) {
        total += registry.CallCount(static_cast<memory::MemoryRegistry::Function>(f));
    }
    return total;
}

struct TabRun {
    std::size_t calls = 0;
    bool fired = false;
    std::vector<std::string> problems;
};

// Loads the tab over a stored switch of 1 or, for Apply, of 0 that the user then ticks; the
// registry's k-th call of the action fails as planned.
TabRun RunTab(bool apply, const Plan& plan) {
    memory::MailClient client;
    memory::MemoryRegistry registry;
    memory::HeadlessHost host;
    PageLibrary library{registry, host};
    Settings stored(registry, "Test");
    stored.SettingsKeyPath = Settings::KeyPath;
    stored.WriteSwitch(apply ? 0 : 1);
    auto page = std::make_shared<TelvanePage>(library);
    TabRun run;
    auto problem = [&](const std::string& text) { run.problems.push_back(text); };
    const auto arm = [&] {
        if (plan.target != Plan::Registry)
            return;
        if (plan.every) {
            registry.FailCallsFromNow(plan.k, plan.number);
        } else {
            registry.FailCallFromNow(plan.k, plan.number);
        }
    };
    std::size_t atStart = 0;
    const auto disarm = [&] {
        run.fired = registry.CountdownFiredAt() != 0;
        registry.ClearFailures();
        run.calls = RegistryCalls(registry) - atStart;
    };
    if (!apply) {
        atStart = RegistryCalls(registry);
        arm();
    }
    try {
        page->UserControl_InitProperties(client.NewPropertyPageSite());
    } catch (const std::exception& error) {
        problem(std::string("the load let an error out: ") + error.what());
    }
    if (!apply) {
        disarm();
        if (!run.fired && page->chkFax.Value() != 1)
            problem("the tab does not show the stored switch");
        if (page->PropertyPage_Dirty())
            problem("the tab is changed by loading it");
    } else {
        page->Show();
        page->chkFax.UserClick();
        atStart = RegistryCalls(registry);
        arm();
        std::optional<RaisedError> raised;
        try {
            page->PropertyPage_Apply();
        } catch (const RaisedError& error) {
            raised = error;
        }
        disarm();
        const std::int16_t now = stored.ReadSwitch();
        if (!raised && now != 1)
            problem("Apply reported success but stored " + std::to_string(now));
        if (raised) {
            if (!run.fired)
                problem("Apply failed with nothing failing: " + raised->Description());
            if (raised->Description().find(std::to_string(plan.number)) == std::string::npos)
                problem("the error does not carry the registry's code: " + raised->Description());
            if (!page->PropertyPage_Dirty())
                problem("a failed Apply leaves the tab unchanged, so it cannot be applied again");
        }
    }
    page->UserControl_Terminate();
    page.reset();
    if (registry.OpenHandleCount() > registry.RefusedCloses())
        problem("registry handles are left open");
    return run;
}

TEST(FaultSweep, EveryFailurePointOfTheTabsLoadAndApplyIsSkippedOrReported) {
    Totals totals;
    int failing = 0;
    for (bool apply : {false, true}) {
        const char* name = apply ? "Apply" : "load";
        const TabRun clean = RunTab(apply, {});
        ++totals.runs;
        for (const auto& text : clean.problems)
            ADD_FAILURE() << name << ", no failure: " << text;
        EXPECT_GT(clean.calls, 2u) << name << " reads or writes the switch";
        for (std::uint64_t k = 1; k <= clean.calls; ++k) {
            for (auto number : kRegistryErrors) {
                for (bool every : {false, true}) {
                    const Plan plan{Plan::Registry, k, number, every};
                    TabRun run = RunTab(apply, plan);
                    ++totals.runs;
                    totals.injected += run.fired;
                    if (!run.fired)
                        run.problems.push_back("the planned failure never happened");
                    for (const auto& text : run.problems) {
                        ADD_FAILURE() << name << ", " << Describe(plan) << ": " << text;
                        ++failing;
                    }
                    if (failing > 20)
                        FAIL() << "stopping after 20 problems";
                }
            }
        }
    }
    std::cout << "options tab sweep: " << totals.runs << " runs, " << totals.injected
              << " failures injected\n";
}

}  // namespace
}  // namespace telvane
