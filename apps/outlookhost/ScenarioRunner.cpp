#include "apps/outlookhost/ScenarioRunner.h"

#include "apps/outlookhost/OptionsCycles.h"

#include <commctrl.h>

#include <cctype>
#include <chrono>
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <thread>
#include <utility>

#include "apps/outlookhost/ScreenPicture.h"
#include "apps/outlookhost/ServerApplication.h"
#include "apps/outlookhost/ServerModuleFile.h"
#include "common/outlook/RaisedError.h"
#include "platform/win32/com/HResultText.h"
#include "platform/win32/com/RegistryKeyHandle.h"
#include "platform/win32/com/TextConversion.h"
#include "tests/support/NativeTree.h"
#include "tests/support/SampleStore.h"
#include "tests/support/ShownWindows.h"

namespace telvane::outlookhost {

using testsupport::ShownWindows;
using win32::com::Hex;

namespace {

constexpr const wchar_t* SwitchKey = L"Software\\Merrowind\\Telvane\\Options";
constexpr const wchar_t* ProductModules[] = {L"Telvane.dll", L"TelvanePage.dll"};

std::pair<std::string, std::string> SplitFirst(const std::string& text, char separator) {
    auto at = text.find(separator);
    if (at == std::string::npos)
        return {text, ""};
    return {text.substr(0, at), text.substr(at + 1)};
}

std::pair<std::string, std::string> SplitLast(const std::string& text, char separator) {
    auto at = text.rfind(separator);
    if (at == std::string::npos)
        return {text, ""};
    return {text.substr(0, at), text.substr(at + 1)};
}

outlook::ContactField FieldNamed(const std::string& name) {
    for (int i = 0; i <= static_cast<int>(outlook::ContactField::JobTitle); ++i) {
        auto field = static_cast<outlook::ContactField>(i);
        if (name == outlook::ContactFieldName(field))
            return field;
    }
    throw std::invalid_argument("no contact field \"" + name + "\"");
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string Utf8(const std::wstring& text) {
    return win32::com::Utf8FromWide({text.c_str(), text.size()});
}

std::vector<std::string> SplitList(const std::string& text) {
    std::vector<std::string> items;
    std::size_t from = 0;
    while (from <= text.size() && !text.empty()) {
        const std::size_t comma = text.find(',', from);
        items.push_back(
            text.substr(from, comma == std::string::npos ? std::string::npos : comma - from));
        if (comma == std::string::npos)
            break;
        from = comma + 1;
    }
    return items;
}

}  // namespace

ScenarioRunner::ScenarioRunner() {
    m_context->log = [](const std::string& text) { std::printf("  | %s\n", text.c_str()); };

    m_steps["register"] = [this](const std::string& dll) {
        HRESULT hr = ServerModuleFile(win32::com::WideFromUtf8(dll)).Register();
        m_modules.push_back(win32::com::WideFromUtf8(dll));
        Check(SUCCEEDED(hr), "DllRegisterServer of " + dll + " answered " + Hex(hr));
    };
    m_steps["unregister"] = [this](const std::string& dll) {
        HRESULT hr = ServerModuleFile(win32::com::WideFromUtf8(dll)).Unregister();
        m_modules.push_back(win32::com::WideFromUtf8(dll));
        Check(SUCCEEDED(hr), "DllUnregisterServer of " + dll + " answered " + Hex(hr));
    };
    m_steps["switch"] = [this](const std::string& value) { SetSwitch(value); };
    m_steps["load-behavior"] = [](const std::string& value) {
        auto [progId, behavior] = SplitFirst(value, '=');
        std::wstring path =
            std::wstring(AddInHost::AddinsKey) + L"\\" + win32::com::WideFromUtf8(progId);
        auto key =
            win32::com::RegistryKeyHandle::Open(HKEY_CURRENT_USER, path.c_str(), KEY_SET_VALUE);
        if (!key)
            throw std::invalid_argument("no add-in entry " + Quoted(progId));
        DWORD data = static_cast<DWORD>(std::stoul(behavior));
        if (::RegSetValueExW(key.Get(), L"LoadBehavior", 0, REG_DWORD,
                             reinterpret_cast<const BYTE*>(&data), sizeof data) != ERROR_SUCCESS) {
            throw std::runtime_error("cannot change LoadBehavior of " + progId);
        }
    };
    m_steps["no-explorer"] = [this](const std::string&) { m_withExplorer = false; };
    m_steps["start"] = [this](const std::string&) { Start(); };
    m_steps["expect-addin"] = [this](const std::string& value) {
        auto [progId, state] = SplitLast(value, ':');
        std::string actual = "not-loaded";
        for (const auto& addIn : m_addIns->AddIns()) {
            if (addIn.progId != progId)
                continue;
            if (addIn.object)
                actual = "connected";
            else if (FAILED(addIn.result))
                actual = "failed";
        }
        Check(actual == state, "add-in " + progId + " is " + actual + ", expected " + state);
    };
    m_steps["open"] = [this](const std::string& name) {
        m_windows.push_back(m_client->OpenInspector(Item(name)));
        m_current = m_windows.size() - 1;
    };
    m_steps["open-mail"] = m_steps["open"];
    m_steps["window"] = [this](const std::string& number) {
        std::size_t index = std::stoul(number);
        if (index < 1 || index > m_windows.size())
            throw std::out_of_range("no window " + number);
        m_current = index - 1;
    };
    m_steps["edit"] = [this](const std::string& value) {
        auto [field, text] = SplitFirst(value, '=');
        CurrentWindow().Edit(FieldNamed(field), text);
    };
    m_steps["save"] = [this](const std::string&) { CurrentWindow().Save(); };
    m_steps["close"] = [this](const std::string&) { CurrentWindow().Close(); };
    m_steps["close-explorer"] = [this](const std::string&) {
        if (!m_explorer)
            throw std::logic_error("the mail client has no explorer window");
        m_explorer->Close();
    };
    m_steps["expect-window"] = [this](const std::string& state) {
        std::string actual = CurrentWindow().IsOpen() ? "open" : "closed";
        Check(actual == state, "the window is " + actual + ", expected " + state);
    };
    m_steps["expect-stored"] = [this](const std::string& value) {
        auto [where, text] = SplitFirst(value, '=');
        auto [name, field] = SplitLast(where, '.');
        std::string actual = Item(name).Stored(FieldNamed(field));
        Check(actual == text,
              name + " has " + field + " " + Quoted(actual) + " stored, expected " + Quoted(text));
    };
    m_steps["expect-saves"] = [this](const std::string& value) {
        auto [name, count] = SplitFirst(value, '=');
        std::int32_t actual = Item(name).Saves();
        Check(std::to_string(actual) == count,
              name + " was saved " + std::to_string(actual) + " times, expected " + count);
    };
    m_steps["fail"] = [this](const std::string& value) {
        auto [where, number] = SplitFirst(value, '=');
        auto [name, call] = SplitFirst(where, '.');
        Item(name).FailOn(call, std::stoi(number));
    };
    m_steps["options"] = [this](const std::string&) {
        m_options.reset();
        m_options = std::make_unique<OptionsDialog>(m_context, *m_client);
    };
    m_steps["expect-tabs"] = [this](const std::string& expected) {
        std::string actual;
        for (const auto& tab : m_options->Tabs()) {
            actual += (actual.empty() ? "" : ",") + tab.title;
            if (tab.progId.empty())
                actual += "(page not given as text)";
        }
        Check(actual == expected,
              "the Options dialog has tabs " + Quoted(actual) + ", expected " + Quoted(expected));
    };
    m_steps["page"] = [this](const std::string& value) {
        auto [title, state] = SplitLast(value, ':');
        HRESULT hr = m_options->CreatePage(m_options->TabIndex(title));
        std::string actual = SUCCEEDED(hr) ? "created" : "fails";
        Check(actual == state, "the page of " + Quoted(title) + " " + actual + " (" + Hex(hr) +
                                   "), expected " + state);
    };
    m_steps["fail-options"] = [this](const std::string& button) { Options().FailOnPress(button); };
    m_steps["expect-options-errors"] = [this](const std::string& count) {
        const auto kept = Options().Errors().size();
        Check(kept == std::stoul(count),
              "the Options dialog kept " + std::to_string(kept) + " failure(s), expected " + count);
        Options().ClearErrors();
    };
    m_steps["reopen-options"] = [this](const std::string& value) {
        // <times>[:elsewhere], the latter on a second single-threaded apartment's thread.
        auto [times, where] = SplitLast(value, ':');
        const bool elsewhere = where == "elsewhere";
        if (!elsewhere)
            times = value;
        m_options.reset();
        for (const std::string& failure :
             OptionsCycles::Run(m_context, *m_client, "Telvane", std::stoi(times), elsewhere))
            Check(false, failure);
    };
    m_steps["expect-dirty"] = [this](const std::string& value) {
        auto [title, state] = SplitLast(value, ':');
        std::string actual = m_options->Dirty(m_options->TabIndex(title)) ? "yes" : "no";
        Check(actual == state,
              "the page of " + Quoted(title) + " answers Dirty " + actual + ", expected " + state);
    };
    m_steps["apply"] = [this](const std::string& title) {
        m_options->Apply(m_options->TabIndex(title));
    };
    m_steps["expect-handler-errors"] = [this](const std::string& expected) {
        std::string actual;
        for (const auto& error : m_client->HandlerErrors()) {
            actual +=
                (actual.empty() ? "" : ",") + error.event + ":" + std::to_string(error.number);
        }
        Check(actual == expected,
              "handlers returned " + Quoted(actual) + ", expected " + Quoted(expected));
        m_client->ClearHandlerErrors();
    };
    m_steps["expect-subscriptions"] = [this](const std::string& count) {
        std::int32_t actual = m_client->LiveSubscriptions();
        Check(std::to_string(actual) == count, "the mail client serves " + std::to_string(actual) +
                                                   " subscriptions, expected " + count);
    };
    m_steps["expect-enabled"] = [this](const std::string& value) {
        auto [text, state] = SplitLast(value, ':');
        HWND window = ShownWindows::FindText(text, false);
        // Enabled for the user: the window and every one up to its top-level window, so a
        // button under a modal window is not.
        const std::string actual =
            !window ? "not shown" : (ShownWindows::Usable(window) ? "yes" : "no");
        Check(actual == state, Quoted(text) + " takes input: " + actual + ", expected " + state);
    };
    m_steps["expect-focus"] = [this](const std::string& text) {
        HWND focus = ::GetFocus();
        const std::string actual =
            focus ? Utf8(ShownWindows::Readable(ShownWindows::TextOf(focus))) : "(nothing)";
        Check(actual == Utf8(ShownWindows::Readable(win32::com::WideFromUtf8(text))),
              "the focus is on " + Quoted(actual) + ", expected " + Quoted(text));
    };
    m_steps["expect-options"] = [this](const std::string& state) {
        const std::string actual = m_options && m_options->IsOpen() ? "open" : "closed";
        Check(actual == state, "the Options dialog is " + actual + ", expected " + state);
    };
    m_steps["expect-switch"] = [this](const std::string& expected) {
        DWORD value = 0;
        DWORD size = sizeof value;
        DWORD type = 0;
        // RegOpenKeyExW + RegQueryValueExW rather than RegGetValueW, which Windows XP lacks.
        HKEY key = nullptr;
        LONG error = ::RegOpenKeyExW(HKEY_CLASSES_ROOT, SwitchKey, 0, KEY_QUERY_VALUE, &key);
        if (error == ERROR_SUCCESS) {
            error = ::RegQueryValueExW(key, L"Default", nullptr, &type,
                                       reinterpret_cast<BYTE*>(&value), &size);
            ::RegCloseKey(key);
        }
        std::string actual = "none";
        if (error == ERROR_SUCCESS)
            actual = type == REG_DWORD ? std::to_string(value) : "(not a REG_DWORD)";
        Check(actual == expected, "the stored switch is " + actual + ", expected " + expected);
    };
    m_steps["expect-control-calls"] = [this](const std::string& value) {
        auto [title, calls] = SplitFirst(value, ':');
        CheckCalls(m_options->Tabs().at(m_options->TabIndex(title)).calls, calls,
                   "the dialog's calls on the page of " + Quoted(title));
    };
    m_steps["expect-site-calls"] = [this](const std::string& value) {
        auto [title, calls] = SplitFirst(value, ':');
        const auto& tab = m_options->Tabs().at(m_options->TabIndex(title));
        CheckCalls(tab.site ? tab.site->Calls() : tab.siteCalls, calls,
                   "the page's calls on its site in " + Quoted(title));
    };

    // Real input: each waits on the driver thread until its target takes input.
    m_inputSteps["click"] = [this](const std::string& text) {
        HWND target = m_driver->WaitFor([&] { return ShownWindows::FindText(text, true); },
                                        Quoted(text) + " to take a click");
        RECT client = {};
        m_driver->OnUi([&] { ::GetClientRect(target, &client); });
        m_driver->ClickCentre(target, client);
    };
    m_inputSteps["choose-tab"] = [this](const std::string& title) {
        RECT item = {};
        HWND tabs = m_driver->WaitFor(
            [&]() -> HWND {
                HWND found = ShownWindows::FindShown([](HWND window) {
                    return ShownWindows::ClassOf(window) == L"SysTabControl32" &&
                           ShownWindows::Usable(window);
                });
                const auto count = found ? ::SendMessageW(found, TCM_GETITEMCOUNT, 0, 0) : 0;
                for (LRESULT i = 0; i < count; ++i) {
                    wchar_t text[128] = {};
                    TCITEMW entry = {};
                    entry.mask = TCIF_TEXT;
                    entry.pszText = text;
                    entry.cchTextMax = 128;
                    ::SendMessageW(found, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&entry));
                    if (win32::com::WideFromUtf8(title) == text &&
                        ::SendMessageW(found, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item)))
                        return found;
                }
                return nullptr;
            },
            "the tab " + Quoted(title));
        m_driver->ClickCentre(tabs, item);
    };
    m_inputSteps["choose-node"] = [this](const std::string& start) {
        RECT item = {};
        HWND tree = m_driver->WaitFor(
            [&]() -> HWND {
                HWND found = ShownWindows::FindShown([](HWND window) {
                    return ShownWindows::ClassOf(window) == L"SysTreeView32" &&
                           ShownWindows::Usable(window);
                });
                if (!found)
                    return nullptr;
                item = testsupport::NativeTree::TextRect(
                    found, testsupport::NativeTree::Find(found, win32::com::WideFromUtf8(start)));
                return ::IsRectEmpty(&item) ? nullptr : found;
            },
            "a tree node " + Quoted(start));
        m_driver->ClickCentre(tree, item);
    };
    m_inputSteps["picture"] = [this](const std::string& path) {
        // What the user sees once every input and paint has been handled. Wine paints into
        // window surfaces that reach the screen from the thread's message loop a moment later:
        // that moment passes while the loop runs.
        m_driver->Settle();
        m_driver->OnUi([] { ScreenPicture::RedrawShownWindows(); });
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        m_driver->Settle();
        m_driver->OnUi([&] {
            ScreenPicture::Save(ScreenPicture::ShownWindows(), win32::com::WideFromUtf8(path));
        });
    };
    m_inputSteps["key"] = [this](const std::string& name) {
        if (name == "tab" || name == "shift+tab")
            m_driver->Press(VK_TAB, name == "shift+tab", false);
        else if (name == "enter")
            m_driver->Press(VK_RETURN, false, false);
        else if (name == "space")
            m_driver->Press(VK_SPACE, false, false);
        else if (name.size() == 5 && name.rfind("alt+", 0) == 0)
            m_driver->Press(static_cast<WORD>(std::toupper(name[4])), false, true);
        else
            throw std::invalid_argument("no key " + Quoted(name));
    };

    m_steps["quit"] = [this](const std::string&) { m_client->Quit(); };
    m_steps["disconnect"] = [this](const std::string&) { m_addIns->DisconnectAll(); };
}

ScenarioRunner::~ScenarioRunner() = default;

void ScenarioRunner::RunSteps(const std::vector<std::string>& steps) {
    for (const std::string& step : steps) {
        std::printf("%s\n", step.c_str());
        std::fflush(stdout);
        auto [name, value] = SplitFirst(step, '=');
        try {
            if (auto input = m_inputSteps.find(name); input != m_inputSteps.end()) {
                input->second(value);
                continue;
            }
            m_driver->OnUi([&] {
                auto found = m_steps.find(name);
                if (found == m_steps.end())
                    throw std::invalid_argument("unknown step " + name);
                if (!m_client && name != "start" && name != "register" && name != "unregister" &&
                    name != "switch" && name != "no-explorer" && name != "load-behavior") {
                    throw std::logic_error("the step needs the mail client: start first");
                }
                found->second(value);
            });
        } catch (const RaisedError& error) {
            Check(false, "the step raised error " + std::to_string(error.Number()) + " (" +
                             error.Source() + ") " + error.Description());
            break;
        } catch (const std::exception& error) {
            Check(false, std::string("the step failed: ") + error.what());
            break;
        }
    }
    // A failed step may leave a modal window open over the host's loop: closed as a user would.
    m_driver->OnUi([] {
        HWND modal = nullptr;
        while ((modal = ShownWindows::FindShown([](HWND window) {
                    return ::GetParent(window) == nullptr &&
                           ShownWindows::ClassOf(window) == L"TelvaneForm";
                })) != nullptr) {
            ::SendMessageW(modal, WM_CLOSE, 0, 0);
            if (::IsWindowVisible(modal))
                break;
        }
    });
}

void ScenarioRunner::CheckCalls(const std::vector<std::string>& calls, const std::string& expected,
                                const std::string& whose) {
    std::size_t at = 0;
    std::string missing;
    for (const std::string& call : SplitList(expected)) {
        while (at < calls.size() && calls[at] != call)
            ++at;
        if (at == calls.size()) {
            missing = call;
            break;
        }
        ++at;
    }
    std::string all;
    for (const std::string& call : calls)
        all += (all.empty() ? "" : ",") + call;
    Check(missing.empty(), whose + " are " + Quoted(all) +
                               (missing.empty() ? "" : "; missing in order: " + missing));
}

void ScenarioRunner::Check(bool held, const std::string& what) {
    std::printf("  %s %s\n", held ? "ok  " : "FAIL", what.c_str());
    if (!held)
        ++m_failures;
}

bool ScenarioRunner::Run(const std::vector<std::string>& steps) {
    testsupport::UiDriver driver;
    m_driver = &driver;
    // The steps report their own failures; what escapes them still counts, and Finish closes
    // what is left open.
    driver.Run([&](testsupport::UiDriver&) { RunSteps(steps); },
               [this](MSG& message) { return m_options && m_options->PreTranslate(message); },
               [] {});
    m_driver = nullptr;
    for (const std::string& failure : driver.Failures())
        Check(false, failure);
    std::printf("shutdown\n");
    Finish();
    std::printf("%s\n", m_failures == 0 ? "PASSED" : "FAILED");
    return m_failures == 0;
}

void ScenarioRunner::Start() {
    m_client = std::make_unique<memory::MailClient>();
    m_contacts = testsupport::SampleStore::Small(*m_client);
    if (m_withExplorer)
        m_explorer = m_client->OpenExplorer();
    auto application =
        win32::com::MakeComObject<ServerApplication>(m_context, m_client->Application());
    m_application = win32::ComPtr<IDispatch>(static_cast<IDispatch*>(application.Get()));
    m_addIns = std::make_unique<AddInHost>(m_context);
    m_addIns->ConnectAtStartup(m_application.Get());
}

void ScenarioRunner::Finish() {
    if (m_options) {
        for (const std::string& error : m_options->Errors())
            Check(false, "the Options dialog failed unexpectedly: " + error);
    }
    m_options.reset();
    if (m_addIns)
        m_addIns->DisconnectAll();
    m_addIns.reset();
    m_application.Reset();
    if (m_client) {
        if (!m_client->HandlerErrors().empty()) {
            std::string errors;
            for (const auto& error : m_client->HandlerErrors()) {
                errors += " " + error.event + ":" + std::to_string(error.number) + " " +
                          error.description;
            }
            Check(false, "handlers returned errors the scenario did not expect:" + errors);
        }
        Check(m_client->LiveSubscriptions() == 0,
              "no event subscription is left (" + std::to_string(m_client->LiveSubscriptions()) +
                  ")");
    }
    Check(m_context->liveObjects == 0, "every object the host served was released (" +
                                           std::to_string(m_context->liveObjects) + " alive)");
    for (const wchar_t* name : ProductModules) {
        ServerModuleFile module(name);
        if (!module.IsLoaded())
            continue;
        HRESULT hr = module.CanUnloadNow();
        Check(hr == S_OK, win32::com::Utf8FromWide({name, std::wcslen(name)}) +
                              " answers DllCanUnloadNow " + Hex(hr));
    }
    ::CoFreeUnusedLibrariesEx(0, 0);
    m_windows.clear();
    m_explorer.reset();
    m_contacts.reset();
    m_client.reset();
}

memory::ItemHandle ScenarioRunner::Item(const std::string& name) const {
    memory::FolderHandle store = m_client->Store(1);
    for (std::int32_t f = 1; f <= store.FolderCount(); ++f) {
        memory::FolderHandle folder = store.Folder(f);
        for (std::int32_t i = 1; i <= folder.ItemCount(); ++i) {
            memory::ItemHandle item = folder.Item(i);
            bool contact = item.Class() == outlook::olContact;
            if ((contact && item.Stored(outlook::ContactField::FileAs) == name) ||
                (!contact && item.Subject() == name)) {
                return item;
            }
        }
    }
    throw std::invalid_argument("the mail client has no item " + Quoted(name));
}

OptionsDialog& ScenarioRunner::Options() const {
    if (!m_options)
        throw std::logic_error("no Options dialog: build it first");
    return *m_options;
}

memory::InspectorHandle& ScenarioRunner::CurrentWindow() {
    if (m_windows.empty())
        throw std::logic_error("no item window is open");
    return m_windows[m_current];
}

void ScenarioRunner::SetSwitch(const std::string& value) {
    LONG error = 0;
    auto key = win32::com::RegistryKeyHandle::Create(HKEY_CLASSES_ROOT, SwitchKey, &error);
    if (!key)
        throw std::runtime_error("cannot open the settings key: " + std::to_string(error));
    if (value == "none") {
        ::RegDeleteValueW(key.Get(), L"Default");
        return;
    }
    bool number = !value.empty() && value.find_first_not_of("0123456789") == std::string::npos;
    if (number) {
        DWORD data = static_cast<DWORD>(std::stoul(value));
        error = ::RegSetValueExW(key.Get(), L"Default", 0, REG_DWORD,
                                 reinterpret_cast<const BYTE*>(&data), sizeof data);
    } else {
        std::wstring text = win32::com::WideFromUtf8(value);
        error = ::RegSetValueExW(key.Get(), L"Default", 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(text.c_str()),
                                 static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    if (error != ERROR_SUCCESS)
        throw std::runtime_error("cannot store the switch: " + std::to_string(error));
}

}  // namespace telvane::outlookhost
