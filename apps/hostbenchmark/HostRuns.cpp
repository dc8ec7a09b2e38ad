// Product headers come before <windows.h>, whose macros share their names.
#include "apps/hostbenchmark/HostRuns.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cwchar>
#include <exception>
#include <functional>
#include <vector>

#include "apps/benchmark/FaxManagerSession.h"
#include "apps/hostbenchmark/MessageLoop.h"
#include "apps/hostbenchmark/PaintWatch.h"
#include "apps/hostbenchmark/PaintedFaxManagerSession.h"
#include "apps/hostbenchmark/StoreForest.h"
#include "tests/support/SampleStore.h"

namespace telvane::bench {
namespace {

using Clock = std::chrono::steady_clock;

constexpr const wchar_t* AddInModule = L"Telvane.dll";
constexpr const wchar_t* PageModule = L"TelvanePage.dll";
constexpr const char* SavedContact = "Ann Archer";
constexpr const char* ShownFax = "0123 456";
constexpr const char* HiddenFax = "Fax: 0123 456";
constexpr const wchar_t* ManagerButton = L"Manage Fax Number Display...";
constexpr benchmark::IterationCount CycleRuns = 40;
// Longer than any opening measured; a window that never paints ends the run, not the program.
constexpr double PaintTimeoutSeconds = 120;
// The shapes of the fax manager's stores: stores x folders in each.
// 2x100 gives the windows' curve a second point while the larger shapes are over the budget.
constexpr std::int64_t Shapes[][2] = {{1, 100}, {2, 100}, {10, 100}, {20, 250}, {40, 250}};

double Seconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

bool Failed(benchmark::State& state, const std::string& error) {
    if (error.empty())
        return false;
    state.SkipWithError(error.c_str());
    return true;
}

HWND FindChild(HWND parent, const wchar_t* text) {
    struct Search {
        const wchar_t* text;
        HWND found;
    } search{text, nullptr};
    ::EnumChildWindows(
        parent,
        [](HWND child, LPARAM context) CALLBACK -> BOOL {
            auto* search = reinterpret_cast<Search*>(context);
            wchar_t caption[128] = {};
            ::GetWindowTextW(child, caption, 128);
            // The caption as the user reads it, without its access key's marker.
            std::wstring readable;
            for (const wchar_t* c = caption; *c; ++c) {
                if (*c != L'&')
                    readable += *c;
            }
            if (readable != search->text)
                return TRUE;
            search->found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Contact-folder nodes in the fax manager's tree against the store's.
std::string CheckTree(const frmFaxManager& form, const StoreForest& forest) {
    std::int32_t folders = 0;
    for (const auto& node : form.tvContacts.Nodes().All())
        folders += node->Tag() == "F";
    if (folders != forest.ContactFolders()) {
        return "the tree shows " + std::to_string(folders) + " contact folders, expected " +
               std::to_string(forest.ContactFolders());
    }
    return {};
}

}  // namespace

std::string HostRuns::OverBudget(const std::string& host, std::int32_t folders) const {
    const auto last = m_lastOpening.find(host);
    if (last == m_lastOpening.end() || last->second.folders >= folders)
        return {};
    // The growth seen between the last two shapes, between linear and the square of the
    // folders: a tree that has gone quadratic again is still caught before it runs for hours.
    double exponent = 2;
    const auto before = m_earlierOpening.find(host);
    if (before != m_earlierOpening.end() && before->second.folders < last->second.folders &&
        before->second.seconds > 0) {
        exponent = std::log(last->second.seconds / before->second.seconds) /
                   std::log(static_cast<double>(last->second.folders) / before->second.folders);
        exponent = std::clamp(exponent, 1.0, 2.0);
    }
    const double ratio = static_cast<double>(folders) / last->second.folders;
    const double estimate = last->second.seconds * std::pow(ratio, exponent);
    if (estimate <= m_budgetSeconds)
        return {};
    char text[240];
    std::snprintf(text, sizeof text,
                  "skipped: about %.0f s an opening (%.1f s at %d folders, times the folders' "
                  "ratio to the power %.2f), over the %.0f s budget (--opening_budget)",
                  estimate, last->second.seconds, last->second.folders, exponent, m_budgetSeconds);
    return text;
}

void HostRuns::Measured(const std::string& host, std::int32_t folders, double seconds) {
    auto& last = m_lastOpening[host];
    if (last.folders != folders) {
        if (last.folders != 0)
            m_earlierOpening[host] = last;
        last = {folders, seconds};
    } else if (seconds > last.seconds) {
        last.seconds = seconds;
    }
}

HostRuns::HostRuns(double budgetSeconds)
    : m_budgetSeconds(budgetSeconds),
      m_prepared(MailClientHost::Prepare()),
      m_contacts(testsupport::SampleStore::Small(m_sample)),
      m_explorer(m_sample.OpenExplorer()) {}

HostRuns::~HostRuns() {
    DisconnectSample();
}

MailClientHost& HostRuns::ConnectedSample(std::string& error) {
    if (!m_sampleHost) {
        m_sampleHost = std::make_unique<MailClientHost>(m_sample);
        if (!m_sampleHost->Start())
            error = "the add-in did not connect";
    }
    return *m_sampleHost;
}

void HostRuns::DisconnectSample() {
    m_sampleHost.reset();
    MailClientHost::FreeUnused();
}

void HostRuns::Cycle(benchmark::State& state, bool timeStartUp) {
    DisconnectSample();
    std::string error = m_prepared;
    std::int64_t fresh = 0;
    for (auto _ : state) {
        if (!error.empty()) {
            state.SetIterationTime(0);
            continue;
        }
        const bool cold = !MailClientHost::IsLoaded(AddInModule);
        MailClientHost host(m_sample);
        // The application the host serves stays; what the add-in held must go.
        const long served = host.LiveObjects();
        const auto started = Clock::now();
        const bool connected = host.Start();
        const auto stopping = Clock::now();
        host.Stop();
        MailClientHost::FreeUnused();
        const auto stopped = Clock::now();
        state.SetIterationTime(timeStartUp ? Seconds(started, stopping)
                                           : Seconds(stopping, stopped));
        fresh += timeStartUp ? cold : !MailClientHost::IsLoaded(AddInModule);
        if (!connected) {
            error = "the add-in did not connect";
        } else if (host.LiveObjects() != served) {
            error = std::to_string(host.LiveObjects() - served) +
                    " served objects left after shut-down";
        }
    }
    if (Failed(state, error))
        return;
    // 1 when every start-up loaded the DLL afresh / every shut-down unloaded it.
    state.counters[timeStartUp ? "loaded" : "unloaded"] =
        static_cast<double>(fresh) / state.iterations();
}

void HostRuns::Save(benchmark::State& state, bool withAddIn) {
    std::string error = m_prepared;
    if (withAddIn)
        ConnectedSample(error);
    else
        DisconnectSample();
    memory::ItemHandle contact = m_contacts->Item(1);
    for (std::int32_t i = 1; i <= m_contacts->ItemCount(); ++i) {
        if (m_contacts->Item(i).Stored(outlook::ContactField::FileAs) == SavedContact)
            contact = m_contacts->Item(i);
    }
    const std::string expected = withAddIn ? HiddenFax : ShownFax;
    std::int64_t edits = 0;
    for (auto _ : state) {
        if (!error.empty()) {
            state.SetIterationTime(0);
            continue;
        }
        contact.SetStored(outlook::ContactField::BusinessFaxNumber, ShownFax);
        memory::InspectorHandle window = m_sample.OpenInspector(contact);
        window.Edit(outlook::ContactField::JobTitle, "Buyer " + std::to_string(++edits));
        const auto from = Clock::now();
        window.Save();
        const auto to = Clock::now();
        state.SetIterationTime(Seconds(from, to));
        const std::string stored = contact.Stored(outlook::ContactField::BusinessFaxNumber);
        if (stored != expected)
            error = "the save stored \"" + stored + "\", expected \"" + expected + "\"";
        else if (window.IsOpen() == withAddIn)
            error = withAddIn ? "the add-in left the window open" : "the window closed";
        else if (!m_sample.HandlerErrors().empty())
            error = "a handler failed: " + m_sample.HandlerErrors().front().description;
        if (window.IsOpen())
            window.Close();
    }
    contact.SetStored(outlook::ContactField::BusinessFaxNumber, ShownFax);
    Failed(state, error);
}

void HostRuns::OptionsTab(benchmark::State& state) {
    std::string error = m_prepared;
    MailClientHost& host = ConnectedSample(error);
    std::int64_t cold = 0;
    for (auto _ : state) {
        if (!error.empty()) {
            state.SetIterationTime(0);
            continue;
        }
        auto dialog = host.OpenOptions();
        if (!dialog) {
            error = "the Options dialog has no tab of the add-in";
            state.SetIterationTime(0);
            continue;
        }
        MessageLoop::Settle();
        cold += !MailClientHost::IsLoaded(PageModule);
        Clock::time_point painted;
        const HWND owner = dialog->Window();
        PaintWatch watch([owner](HWND window) { return ::GetParent(window) == owner; },
                         [&](HWND, Clock::time_point at) { painted = at; });
        const auto from = Clock::now();
        MailClientHost::ChooseTab(*dialog);
        if (!MessageLoop::RunUntil([&] { return watch.Done(); }, PaintTimeoutSeconds))
            error = "the tab did not paint";
        state.SetIterationTime(watch.Done() ? Seconds(from, painted) : 0);
        if (error.empty() && MailClientHost::PageWindow(*dialog) != watch.Root())
            error = "what painted first is not the page's window";
        dialog->Close();
        dialog.reset();
        MessageLoop::Settle();
        MailClientHost::FreeUnused();
    }
    if (Failed(state, error))
        return;
    // 1 when every tab loaded TelvanePage.dll afresh.
    state.counters["loaded"] = static_cast<double>(cold) / state.iterations();
}

void HostRuns::FaxManagerThroughDll(benchmark::State& state) {
    auto& forest = StoreForest::OfShape(static_cast<std::int32_t>(state.range(0)),
                                        static_cast<std::int32_t>(state.range(1)));
    std::string error = m_prepared.empty() ? OverBudget("dll", forest.Folders()) : m_prepared;
    MailClientHost host(forest.Client());
    std::unique_ptr<outlookhost::OptionsDialog> dialog;
    HWND button = nullptr;
    if (error.empty() && !host.Start())
        error = "the add-in did not connect";
    if (error.empty() && !(dialog = host.OpenOptions()))
        error = "the Options dialog has no tab of the add-in";
    if (error.empty()) {
        MailClientHost::ChooseTab(*dialog);
        MessageLoop::Settle();
        button = FindChild(MailClientHost::PageWindow(*dialog), ManagerButton);
        if (button == nullptr)
            error = "the tab shows no fax manager button";
    }
    for (auto _ : state) {
        if (!error.empty()) {
            state.SetIterationTime(0);
            continue;
        }
        Clock::time_point painted;
        PaintWatch watch(&PaintWatch::IsTopLevelForm, [&](HWND root, Clock::time_point at) {
            painted = at;
            ::PostMessageW(root, WM_CLOSE, 0, 0);
        });
        const auto from = Clock::now();
        // Returns once the fax manager's modal loop has ended.
        ::SendMessageW(button, BM_CLICK, 0, 0);
        state.SetIterationTime(watch.Done() ? Seconds(from, painted) : 0);
        if (watch.Done())
            Measured("dll", forest.Folders(), Seconds(from, painted));
        else
            error = "the fax manager did not open and paint";
        MessageLoop::Settle();
    }
    if (dialog)
        dialog->Close();
    dialog.reset();
    host.Stop();
    MessageLoop::Settle();
    MailClientHost::FreeUnused();
    if (Failed(state, error))
        return;
    state.counters["folders"] = forest.Folders();
}

void HostRuns::FaxManagerInProcess(benchmark::State& state, bool native) {
    auto& forest = StoreForest::OfShape(static_cast<std::int32_t>(state.range(0)),
                                        static_cast<std::int32_t>(state.range(1)));
    const std::string host = native ? "win32" : "headless";
    std::string error = OverBudget(host, forest.Folders());
    if (Failed(state, error))
        return;
    std::unique_ptr<FaxManagerSession> session;
    PaintedFaxManagerSession* painted = nullptr;
    if (native) {
        auto windows = std::make_unique<PaintedFaxManagerSession>(forest.Client());
        painted = windows.get();
        session = std::move(windows);
    } else {
        session = std::make_unique<FaxManagerSession>(forest.Client());
    }
    for (auto _ : state) {
        if (!error.empty()) {
            state.SetIterationTime(0);
            continue;
        }
        session->Settle();
        Clock::time_point shown;
        const auto from = Clock::now();
        const bool opened = session->WithFaxManager([&](frmFaxManager& form) {
            shown = Clock::now();
            error = CheckTree(form, forest);
        });
        const Clock::time_point at = painted ? painted->PaintedAt() : shown;
        state.SetIterationTime(opened ? Seconds(from, at) : 0);
        if (opened)
            Measured(host, forest.Folders(), Seconds(from, at));
        else
            error = "the fax manager did not open";
    }
    session.reset();
    MessageLoop::Settle();
    if (Failed(state, error))
        return;
    state.counters["folders"] = forest.Folders();
}

void HostRuns::Register() {
    const auto add = [](const std::string& name, std::function<void(benchmark::State&)> run) {
        return benchmark::RegisterBenchmark(name.c_str(),
                                            [run](benchmark::State& state) {
                                                // What a run throws ends that run, not the
                                                // program.
                                                try {
                                                    run(state);
                                                } catch (const std::exception& error) {
                                                    state.SkipWithError(error.what());
                                                }
                                            })
            ->Unit(benchmark::kMillisecond)
            ->UseManualTime()
            ->MinTime(0.5);
    };
    // Each run loads and unloads Telvane.dll: a process that has done so a thousand times or so
    // aborts under Wine, so the runs are counted rather than left to the minimum time.
    add("AddInStartUp/dll", [this](auto& state) { Cycle(state, true); })->Iterations(CycleRuns);
    add("AddInShutDown/dll", [this](auto& state) { Cycle(state, false); })->Iterations(CycleRuns);
    add("ContactSave/without", [this](auto& state) {
        Save(state, false);
    })->Unit(benchmark::kMicrosecond);
    add("ContactSave/with", [this](auto& state) {
        Save(state, true);
    })->Unit(benchmark::kMicrosecond);
    add("OptionsTabFirstPaint/dll", [this](auto& state) { OptionsTab(state); });
    for (const auto& [host, run] :
         std::vector<std::pair<std::string, std::function<void(benchmark::State&)>>>{
             {"headless", [this](auto& state) { FaxManagerInProcess(state, false); }},
             {"win32", [this](auto& state) { FaxManagerInProcess(state, true); }},
             {"dll", [this](auto& state) { FaxManagerThroughDll(state); }}}) {
        auto* benchmark = add("FaxManagerOpening/" + host, run);
        for (const auto& shape : Shapes)
            benchmark->Args({shape[0], shape[1]});
    }
}

}  // namespace telvane::bench
