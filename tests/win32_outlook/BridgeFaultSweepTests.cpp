// Every IDispatch call the bridge makes into the stand-in mail client, failed in turn: with a
// bare HRESULT, with DISP_E_EXCEPTION and a description, and with the description filled in
// only on request. Each user action is run once to count its calls, then once per call and
// kind of failure or odd answer; after every run the promises that hold whatever failed are
// checked. Odd answers where text is expected are read as automation converts them.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "addin/AddInLibrary.h"
#include "addin/TLConnect.h"
#include "apps/outlookhost/ComApartment.h"
#include "apps/outlookhost/HostContext.h"
#include "apps/outlookhost/ServerApplication.h"
#include "apps/outlookhost/ServerItem.h"
#include "apps/outlookhost/ServerPropertyPageSite.h"
#include "common/FaxNumberRule.h"
#include "optionspage/PageLibrary.h"
#include "optionspage/TelvanePage.h"
#include "platform/memory/outlook/MailClient.h"
#include "platform/memory/registry/MemoryRegistry.h"
#include "platform/memory/ui/HeadlessHost.h"
#include "platform/win32/com/TextConversion.h"
#include "platform/win32/outlook/ComContactItem.h"
#include "platform/win32/outlook/ComError.h"
#include "platform/win32/outlook/DispIdCache.h"
#include "platform/win32/outlook/OutlookBridge.h"
#include "registry/Settings.h"

namespace telvane::tests {
namespace {

using outlook::ContactField;
using outlookhost::InvokeFaults;
using Kind = InvokeFaults::Kind;

constexpr const char* kDescription = "The operation failed in the mail client (planned)";

// The failures of one call: a bare HRESULT, and an automation error (440) raised with
// EXCEPINFO at once or on request.
std::vector<InvokeFaults::Plan> FailurePlans() {
    std::vector<InvokeFaults::Plan> plans(3);
    plans[0].kind = Kind::Result;
    plans[0].hr = E_FAIL;
    for (int i : {1, 2}) {
        plans[i].kind = i == 1 ? Kind::Exception : Kind::DeferredException;
        plans[i].hr = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 440);
        plans[i].source = "Microsoft Outlook";
        plans[i].description = kDescription;
    }
    return plans;
}

// Odd answers in place of the call's own: the product must read them as automation converts
// them, or report the mismatch, and go on.
std::vector<InvokeFaults::Plan> OddAnswerPlans() {
    std::vector<InvokeFaults::Plan> plans(3);
    for (auto& plan : plans)
        plan.kind = Kind::Value;
    plans[0].value.Get()->vt = VT_NULL;
    plans[1].value = win32::ComVariant(std::int32_t{7});
    plans[2].value = win32::ComVariant(std::string(1 << 20, 'x'));
    return plans;
}

bool Describes(const InvokeFaults::Plan& plan) {
    return plan.kind == Kind::Exception || plan.kind == Kind::DeferredException;
}

const char* KindName(Kind kind) {
    switch (kind) {
        case Kind::Result:
            return "HRESULT";
        case Kind::Exception:
            return "exception";
        case Kind::DeferredException:
            return "deferred exception";
        case Kind::Value:
            return "value";
    }
    return "";
}

bool IsWrite(memory::Operation operation) {
    const auto value = static_cast<int>(operation);
    return (value >= static_cast<int>(memory::Operation::ContactFieldPut) &&
            value < static_cast<int>(memory::Operation::ContactFieldPut) + 8) ||
           operation == memory::Operation::ContactSave ||
           operation == memory::Operation::ContactClose;
}

// What one run saw.
struct Run {
    std::uint64_t invokes = 0;
    bool fired = false;
    bool described = false;  // the planned description reached the user or the mail client
    std::vector<std::string> problems;
};

// The mail client's calls made after the failing Invoke must not write to a contact.
struct WriteWatch {
    memory::MailClient& client;
    std::uint64_t start = 0;
    std::optional<std::uint64_t> atFailure;
    bool odd = false;  // the plan answers, it does not fail

    void Arm(outlookhost::HostContext& context, std::uint64_t k, InvokeFaults::Plan plan) {
        start = client.Calls().Total();
        odd = plan.kind == Kind::Value;
        client.RecordCalls(true);
        context.faults.Arm(k, std::move(plan));
    }
    void Check(outlookhost::HostContext& context, Run& run) {
        run.invokes = context.faults.Count();
        run.fired = context.faults.FiredAt() != 0;
        const bool failed = run.fired && !odd;
        context.faults.Disarm();
        client.RecordCalls(false);
        if (!failed)
            return;
        // The failing Invoke reached no further than the host, so the calls the mail client
        // saw before it are those of the Invokes before it.
        const auto& calls = client.RecordedCalls();
        for (std::size_t i = static_cast<std::size_t>(atFailure.value_or(0) - start);
             i < calls.size(); ++i) {
            if (IsWrite(calls[i].operation)) {
                run.problems.push_back(std::string("a contact was written after the failure (") +
                                       std::string(memory::OperationName(calls[i].operation)) +
                                       ")");
                break;
            }
        }
    }
};

// Once the run is over, nothing it reached is held any more.
void CheckReleased(const outlookhost::HostContext& context, memory::MailClient& client,
                   std::int32_t objectsBefore, Run& run) {
    if (context.liveObjects != 0) {
        run.problems.push_back(std::to_string(context.liveObjects) +
                               " COM objects of the host left referenced");
    }
    if (client.LiveSubscriptions() != 0)
        run.problems.push_back("subscriptions are left");
    if (client.LiveObjects() != objectsBefore)
        run.problems.push_back("mail client objects are left held");
}

// ---------------------------------------------------------------------------------------------
// The add-in's save from the contact window, the add-in connected through the bridge.

Run RunSave(std::uint64_t k, const InvokeFaults::Plan& plan) {
    Run run;
    auto problem = [&](const std::string& text) { run.problems.push_back(text); };
    auto context = std::make_shared<outlookhost::HostContext>();
    memory::MailClient client;
    memory::MemoryRegistry registry;
    memory::FolderHandle folder =
        client.AddStore("Personal Folders").AddFolder("Contacts", outlook::olContactItem);
    memory::ItemHandle contact =
        folder.AddContact({.FileAs = "Ann", .BusinessFaxNumber = "0123", .HomeFaxNumber = "0456"});
    {
        Settings settings(registry, "Test");
        settings.SettingsKeyPath = Settings::KeyPath;
        settings.WriteSwitch(1);
    }
    const std::int32_t objectsBefore = client.LiveObjects();
    WriteWatch watch{client, 0, std::nullopt};
    {
        auto server = win32::com::MakeComObject<outlookhost::ServerApplication>(
            context, client.Application());
        AddInLibrary library(registry);
        TLConnect connection(library);
        connection.OnConnection(win32::WrapApplication(static_cast<IDispatch*>(server.Get())));
        std::optional<memory::InspectorHandle> window = client.OpenInspector(contact);
        window->Edit(ContactField::FileAs, "Ann Archer");
        InvokeFaults::Plan armed = plan;
        armed.onFire = [&] { watch.atFailure = client.Calls().Total(); };
        watch.Arm(*context, k, std::move(armed));
        try {
            window->Save();
        } catch (const std::exception& error) {
            problem(std::string("an exception reached the mail client: ") + error.what());
        }
        watch.Check(*context, run);
        for (const auto& error : client.HandlerErrors()) {
            if (error.source == "C++")
                problem("a handler let a foreign exception out: " + error.description);
            if (Describes(plan) && error.description == kDescription)
                run.described = true;
            if (Describes(plan) && run.fired && error.description != kDescription)
                problem("the mail client got another description: " + error.description);
        }
        if (contact.Stored().FileAs != "Ann Archer")
            problem("the user's own edit was not stored");
        if (contact.Saves() != 1)
            problem("the user's save stored the contact " + std::to_string(contact.Saves()) +
                    " times");
        if (window->IsOpen())
            window->Close();
        window.reset();
        connection.OnDisconnection();
    }
    CheckReleased(*context, client, objectsBefore, run);
    return run;
}

// ---------------------------------------------------------------------------------------------
// The fax manager, on the options page whose site comes through the bridge.

struct PageAction {
    const char* name;
    std::function<void(frmFaxManager&)> prepare;  // never failing
    std::function<void(frmFaxManager&)> act;      // its calls fail; empty: the opening
};

std::shared_ptr<forms::Node> NodeNamed(frmFaxManager& form, const std::string& name) {
    for (const auto& node : form.tvContacts.Nodes().All()) {
        if (node->Text().rfind(name, 0) == 0)
            return node;
    }
    return nullptr;
}

void Choose(frmFaxManager& form, const char* name) {
    auto node = NodeNamed(form, name);
    if (!node)
        throw std::logic_error(std::string("no node ") + name);
    form.tvContacts.UserClickNode(node);
}

const PageAction kPageActions[] = {
    {"open", {}, {}},
    {"choose a folder", {}, [](frmFaxManager& f) { Choose(f, "Contacts"); }},
    {"Hide All + Update",
     [](frmFaxManager& f) {
         Choose(f, "Contacts");
         f.cmdSelect(0).UserClick();
     },
     [](frmFaxManager& f) { f.cmdUpdate.UserClick(); }},
};

Run RunPageAction(const PageAction& action, std::uint64_t k, const InvokeFaults::Plan& plan) {
    Run run;
    auto problem = [&](const std::string& text) { run.problems.push_back(text); };
    auto context = std::make_shared<outlookhost::HostContext>();
    memory::MailClient client;
    memory::MemoryRegistry registry;
    memory::HeadlessHost host;
    memory::FolderHandle personal = client.AddStore("Personal Folders");
    personal.AddFolder("Inbox");
    memory::FolderHandle contacts = personal.AddFolder("Contacts", outlook::olContactItem);
    contacts.AddContact({.FileAs = "Archer, Ann", .BusinessFaxNumber = "01"});
    contacts.AddContact({.FileAs = "Baker, Bob", .HomeFaxNumber = "Fax: 02"});
    contacts.AddContact({.FileAs = "Cruz, Carla"});
    const std::int32_t objectsBefore = client.LiveObjects();
    WriteWatch watch{client, 0, std::nullopt};
    {
        PageLibrary library{registry, host};
        auto site = win32::com::MakeComObject<outlookhost::ServerPropertyPageSite>(
            context, client.NewPropertyPageSite(), outlookhost::ServerPropertyPageSite::Dialog{});
        auto page = std::make_shared<TelvanePage>(library);
        page->UserControl_InitProperties(win32::WrapPropertyPageSite(
            static_cast<IUnknown*>(static_cast<outlookhost::OlPropertyPageSite*>(site.Get()))));
        page->Show();
        InvokeFaults::Plan armed = plan;
        armed.onFire = [&] { watch.atFailure = client.Calls().Total(); };
        const std::size_t messagesBefore = host.Messages().size();
        host.WhenShownModally<frmFaxManager>("frmFaxManager", [&](frmFaxManager& form) {
            if (action.act) {
                if (action.prepare)
                    action.prepare(form);
                watch.Arm(*context, k, armed);
                try {
                    action.act(form);
                } catch (const std::exception& error) {
                    problem(std::string("an exception reached the user: ") + error.what());
                }
            }
            watch.Check(*context, run);
            if (form.IsLoaded())
                form.cmdCancel.UserClick();
        });
        if (!action.act)
            watch.Arm(*context, k, armed);
        try {
            page->cmdApplet.UserClick();
        } catch (const std::exception& error) {
            problem(std::string("an exception reached the user: ") + error.what());
        }
        if (context->faults.Count() != 0)  // the opening failed before the window showed
            watch.Check(*context, run);
        const auto& messages = host.Messages();
        if (run.fired && plan.kind != Kind::Value && action.act &&
            messages.size() <= messagesBefore)
            problem("the failure was not reported");
        for (std::size_t i = messagesBefore; i < messages.size(); ++i) {
            if (messages[i].text.find(kDescription) != std::string::npos)
                run.described = true;
            else if (Describes(plan) && run.fired)
                problem("the message lacks the mail client's description: " + messages[i].text);
        }
        if (!host.ModalStack().empty())
            problem("a window is left modal");
        page.reset();
        site->Disconnect();
    }
    CheckReleased(*context, client, objectsBefore, run);
    return run;
}

struct Totals {
    int runs = 0;
    int faulted = 0;
    int oddAnswers = 0;
    int described = 0;
    int problems = 0;
};

void Sweep(const std::string& name,
           const std::function<Run(std::uint64_t, const InvokeFaults::Plan&)>& once,
           Totals& totals) {
    const Run clean = once(0, InvokeFaults::Plan{});
    ++totals.runs;
    std::cout << "  " << name << ": " << clean.invokes << " Invoke calls\n";
    for (const auto& text : clean.problems)
        ADD_FAILURE() << name << ", no failure: " << text;
    EXPECT_GT(clean.invokes, 0u) << name << " makes no call through the bridge";
    for (std::uint64_t k = 1; k <= clean.invokes; ++k) {
        std::vector<InvokeFaults::Plan> plans = FailurePlans();
        for (auto& plan : OddAnswerPlans())
            plans.push_back(std::move(plan));
        for (const InvokeFaults::Plan& plan : plans) {
            Run run = once(k, plan);
            ++totals.runs;
            (plan.kind == Kind::Value ? totals.oddAnswers : totals.faulted) += run.fired;
            totals.described += run.described;
            // An answer replaces only a call that returns one (not a put).
            if (!run.fired && plan.kind != Kind::Value)
                run.problems.push_back("the planned failure never happened");
            for (const auto& text : run.problems) {
                ADD_FAILURE() << name << ", Invoke " << k << " planned as " << KindName(plan.kind)
                              << ": " << text;
                ++totals.problems;
            }
            if (totals.problems > 20)
                return;
        }
    }
}

TEST(BridgeFaultSweep, EveryFailedInvokeLeavesTheHostContactsAndReferencesSound) {
    const outlookhost::ComApartment apartment;
    const auto start = std::chrono::steady_clock::now();
    Totals totals;
    Sweep("save from the contact window", RunSave, totals);
    for (const PageAction& action : kPageActions) {
        Sweep(
            std::string("fax manager: ") + action.name,
            [&](std::uint64_t k, const InvokeFaults::Plan& plan) {
                return RunPageAction(action, k, plan);
            },
            totals);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::cout << "bridge fault sweep: " << totals.runs << " runs, " << totals.faulted
              << " faulted, " << totals.oddAnswers << " answered oddly, " << totals.described
              << " with the description shown, " << seconds << " s\n";
    EXPECT_GT(totals.described, 0) << "no failure's description ever reached anyone";
    EXPECT_GT(totals.oddAnswers, 0) << "no odd answer was ever given";
}

// ---------------------------------------------------------------------------------------------
// Odd answers where text is expected.

TEST(BridgeOddAnswers, TextIsReadAsAutomationConvertsTheAnswer) {
    const outlookhost::ComApartment apartment;
    auto context = std::make_shared<outlookhost::HostContext>();
    memory::MailClient client;
    client.AddStore("Personal Folders")
        .AddFolder("Contacts", outlook::olContactItem)
        .AddContact({.FileAs = "Ann"});
    std::shared_ptr<outlook::Item> item = client.Application()
                                              ->GetNamespace("MAPI")
                                              ->Folders()
                                              ->Item(1)
                                              ->Folders()
                                              ->Item(1)
                                              ->Items()
                                              ->Item(1);
    auto server = win32::com::MakeComObject<outlookhost::ServerItem>(context, item);
    auto contact = std::make_shared<win32::ComContactItem>(
        win32::ComPtr<IDispatch>(static_cast<IDispatch*>(server.Get())),
        std::make_shared<win32::DispIdCache>());
    server = nullptr;

    const std::wstring large(1 << 20, L'\x00E9');
    const std::wstring nulls(L"a\0b\0", 4);
    const std::wstring surrogate(1, static_cast<wchar_t>(0xD800));
    struct Case {
        const char* name;
        win32::ComVariant value;
    };
    std::vector<Case> cases;
    cases.push_back({"empty", win32::ComVariant()});
    win32::ComVariant null;
    null.Get()->vt = VT_NULL;
    cases.push_back({"null", std::move(null)});
    cases.push_back({"a number", win32::ComVariant(std::int32_t{-42})});
    win32::ComVariant real;
    real.Get()->vt = VT_R8;
    real.Get()->dblVal = 2.5;
    cases.push_back({"a real", std::move(real)});
    for (const auto& [name, text] :
         {std::pair{"1 MB of text", &large}, std::pair{"embedded nulls", &nulls},
          std::pair{"a lone surrogate", &surrogate}}) {
        win32::ComVariant value;
        value.Get()->vt = VT_BSTR;
        value.Get()->bstrVal = ::SysAllocStringLen(text->data(), static_cast<UINT>(text->size()));
        cases.push_back({name, std::move(value)});
    }
    win32::ComVariant object(static_cast<IDispatch*>(nullptr));
    cases.push_back({"no object", std::move(object)});

    for (const Case& each : cases) {
        SCOPED_TRACE(each.name);
        // Automation's answer: VariantChangeType to VT_BSTR, with empty and null read as the
        // empty text.
        std::optional<std::string> expected;
        const VARTYPE type = (*each.value).vt;
        if (type == VT_EMPTY || type == VT_NULL) {
            expected = "";
        } else {
            VARIANT converted;
            ::VariantInit(&converted);
            if (SUCCEEDED(::VariantChangeType(&converted, const_cast<VARIANT*>(&*each.value), 0,
                                              VT_BSTR))) {
                expected = win32::com::Utf8FromWide(
                    {converted.bstrVal, ::SysStringLen(converted.bstrVal)});
            }
            ::VariantClear(&converted);
        }
        InvokeFaults::Plan plan;
        plan.kind = Kind::Value;
        plan.value = each.value;
        context->faults.Arm(1, std::move(plan));
        try {
            const std::string text = contact->Get(ContactField::FileAs);
            ASSERT_TRUE(expected) << "automation refuses the conversion, the bridge took it";
            EXPECT_EQ(text, *expected);
        } catch (const RaisedError& error) {
            EXPECT_FALSE(expected) << "refused: " << error.Description();
            EXPECT_EQ(error.Number(), RaisedError::TypeMismatch);
        }
        EXPECT_EQ(context->faults.FiredAt(), 1u);
        context->faults.Disarm();
    }
    // The text survives the way back intact, embedded nulls and all.
    contact->Put(ContactField::FileAs, std::string("a\0b", 3));
    EXPECT_EQ(contact->Get(ContactField::FileAs), std::string("a\0b", 3));
    contact.reset();
    EXPECT_EQ(context->liveObjects, 0);
}

}  // namespace
}  // namespace telvane::tests
