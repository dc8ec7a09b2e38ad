// Product headers come before <windows.h>, whose macros share their names.
#include "optionspage/PageLibrary.h"
#include "optionspage/TelvanePage.h"
#include "platform/memory/outlook/MailClient.h"
#include "platform/memory/outlook/MemoryPropertyPageSite.h"
#include "platform/memory/registry/MemoryRegistry.h"
#include "tests/support/SampleStore.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/com/TextConversion.h"
#include "platform/win32/ui/Win32UiHost.h"
#include "tests/support/NativeTree.h"
#include "tests/support/UiDriver.h"
#include "tests/win32_ui/NativeChecks.h"
#include "tests/win32_ui/TabInOptionsWindow.h"

namespace telvane {
namespace {

using testsupport::NativeTree;
using testsupport::UiDriver;

// Where the keyboard focus was found inside a disabled window while a handler worked. Windows
// takes the focus from a disabled window's descendants and gives it to nobody; Wine leaves it
// there, so the rule is checked as such rather than by its effect on the keys.
struct FocusWatch {
    HHOOK hook = nullptr;
    int looks = 0;
    std::vector<std::string> faults;
};
FocusWatch g_watch;

std::string Describe(HWND window) {
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return win32::com::Utf8FromWide(name) + " \"" +
           win32::com::Utf8FromWide(test::WindowText(window)) + "\"";
}

// The focus window and its ancestors are enabled, or there is no focus.
void LookAtFocus(const char* when) {
    ++g_watch.looks;
    const HWND focus = ::GetFocus();
    for (HWND at = focus; at != nullptr; at = ::GetAncestor(at, GA_PARENT)) {
        if (at == ::GetDesktopWindow())
            break;
        if (!::IsWindowEnabled(at)) {
            if (g_watch.faults.size() < 5) {
                g_watch.faults.push_back(std::string(when) + ": the focus " + Describe(focus) +
                                         " is inside the disabled " + Describe(at));
            }
            return;
        }
    }
}

// Every progress step of a handler's work, and every window that gets the focus.
LRESULT CALLBACK WatchFocus(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION) {
        if (message->message == PBM_SETPOS)
            LookAtFocus("a progress step");
        else if (message->message == WM_SETFOCUS)
            LookAtFocus("a window took the focus");
    }
    return ::CallNextHookEx(g_watch.hook, code, wParam, lParam);
}

// The options tab in a stand-in for the Options dialog, on the sample store with a folder whose
// name holds an ampersand, driven by the keyboard wherever a keyboard user would use it.
class KeyboardFocusTest : public test::TabInOptionsWindow {
protected:
    void SetUp() override {
        auto research = sample.personal.AddFolder("R&D", outlook::olContactItem);
        research.AddContact({.FileAs = "Quill, Quentin", .BusinessFaxNumber = "0118 496 0001"});
        research.AddContact({.FileAs = "Rowe, Rita", .BusinessFaxNumber = "0118 496 0002"});
        TabInOptionsWindow::SetUp();
        if (IsSkipped())
            return;
        g_watch = {};
        g_watch.hook =
            ::SetWindowsHookExW(WH_CALLWNDPROC, &WatchFocus, nullptr, ::GetCurrentThreadId());
    }
    void TearDown() override {
        if (g_watch.hook != nullptr)
            ::UnhookWindowsHookEx(g_watch.hook);
        g_watch.hook = nullptr;
        TabInOptionsWindow::TearDown();
    }

    frmFaxManager& Manager() { return library.frmFaxManager.Get(); }
    // The focus is the native window of the model's active control.
    void ExpectFocusOnActiveControl(const std::string& after) {
        const forms::Control* active = Manager().ActiveControl();
        ASSERT_NE(active, nullptr) << after;
        EXPECT_EQ(::GetFocus(), Native(*active))
            << after << ": the focus is not on " << active->Name();
        EXPECT_EQ(::GetForegroundWindow(), host.WindowOf(Manager())) << after;
    }
};

TEST_F(KeyboardFocusTest, AKeyboardUserWorksThroughTheTabAndTheFaxManager) {
    Drive([&](UiDriver& ui) {
        ui.Step("the tab at three sizes");
        ui.OnUi([&] {
            // Narrower and wider than designed, then as designed: every control's window
            // follows the page's layout, the word-wrapping label's too.
            for (const auto& [width, height] :
                 {std::pair{4200, 4000}, std::pair{7800, 6000}, std::pair{5580, 5400}}) {
                SCOPED_TRACE(width);
                page->SetClientSize(width, height);
                page->UserControl_Resize();
                test::ExpectWindowsMatchModel(host, *page);
                RECT label{};
                ::GetWindowRect(Native(page->Label1), &label);
                EXPECT_EQ(label.right - label.left, host.Pixels(page->Label1.Width()));
            }
        });

        ui.Step("open the manager from the keyboard");
        const HWND applet = ui.Ask<HWND>([&] { return Native(page->cmdApplet); });
        // A click opens it and Esc closes it; from then on the keys open it.
        ui.ClickCentre(applet);
        HWND manager = ui.WaitForWindow(L"Telvane");
        ui.Press(VK_ESCAPE);
        ui.WaitUntilGone(manager);
        ui.OnUi([&] {
            EXPECT_EQ(::GetForegroundWindow(), m_dialog) << "the dialog is active again";
            EXPECT_EQ(::GetFocus(), applet) << "on the button that opened the manager";
        });
        ui.Press(VK_SPACE);
        manager = ui.WaitForWindow(L"Telvane");
        HWND tree = nullptr;
        HWND list = nullptr;
        ui.OnUi([&] {
            EXPECT_EQ(::GetForegroundWindow(), manager);
            // Above the disabled dialog, and reached through it by the task switcher.
            EXPECT_EQ(::GetWindow(manager, GW_OWNER), m_dialog);
            EXPECT_EQ(::GetLastActivePopup(m_dialog), manager);
            tree = Native(Manager().tvContacts);
            list = Native(Manager().lstContacts);
            EXPECT_EQ(::GetFocus(), tree);
            // The caption's own access key before any folder is chosen.
            EXPECT_EQ(::GetWindowLongPtrW(Native(Manager().lblCaption(1)), GWL_STYLE) & SS_NOPREFIX,
                      0);
        });

        ui.Step("walk the tree with Down");
        std::vector<std::string> chosen;
        for (int step = 0; step < 5; ++step) {
            const std::string before = ui.Ask<std::string>([&] {
                const auto node = Manager().tvContacts.SelectedItem();
                return node ? node->Text() : std::string();
            });
            ui.Press(VK_DOWN);
            ui.OnUi([&] {
                frmFaxManager& form = Manager();
                const auto node = form.tvContacts.SelectedItem();
                ASSERT_TRUE(node) << "step " << step;
                EXPECT_NE(node->Text(), before) << "step " << step << ": Down chose nothing";
                chosen.push_back(node->Text());
                EXPECT_EQ(NativeTree::Text(tree, TreeView_GetSelection(tree)),
                          win32::com::WideFromUtf8(node->Text()));
                // Each folder is listed as it is chosen.
                const std::string caption = form.lblCaption(1).Caption();
                EXPECT_EQ(caption.rfind("Fax Contacts for ", 0), 0u) << caption;
                if (node->Tag() == "F") {
                    EXPECT_NE(caption, "Fax Contacts for ") << "step " << step;
                }
                EXPECT_EQ(::SendMessageW(list, LB_GETCOUNT, 0, 0), form.lstContacts.ListCount());
                ExpectFocusOnActiveControl("Down " + std::to_string(step + 1));
                EXPECT_EQ(::GetFocus(), tree);
            });
        }
        ui.Require(chosen.size() == 5, "five folders chosen in turn");

        ui.Step("the folder R&D");
        ui.ClickCentre(tree, ui.Ask<RECT>([&] {
            return NativeTree::TextRect(tree, NativeTree::Find(tree, L"R&D"));
        }));
        ui.OnUi([&] {
            const HWND caption = Native(Manager().lblCaption(1));
            EXPECT_EQ(test::WindowText(caption), L"Fax Contacts for R&D");
            EXPECT_NE(::GetWindowLongPtrW(caption, GWL_STYLE) & SS_NOPREFIX, 0)
                << "the folder's name is shown as it is, with no access key";
            EXPECT_EQ(Manager().lstContacts.ListCount(), 2);
            ExpectFocusOnActiveControl("the folder's click");
        });

        ui.Step("Alt+D presses Display");
        ui.Press('D', false, true);
        const HWND details = ui.WaitForWindow(L"Contact Details");
        ui.OnUi([&] {
            EXPECT_EQ(::GetForegroundWindow(), details);
            LookAtFocus("Contact Details shown");
        });
        ui.Press(VK_ESCAPE);
        ui.WaitUntilGone(details);
        ui.OnUi([&] {
            ExpectFocusOnActiveControl("Contact Details closed");
            EXPECT_EQ(::GetFocus(), Native(Manager().cmdDisplay));
        });

        ui.Step("the instructions");
        ui.ClickCentre(ui.Ask<HWND>([&] { return Native(Manager().cmdInstructions); }));
        const HWND instructions = ui.WaitForWindow(L"Instructions");
        ui.OnUi([&] { EXPECT_EQ(::GetForegroundWindow(), instructions); });
        ui.ClickCentre(
            ui.Ask<HWND>([&] { return Native(library.frmInstructions.Get().cmdCancel); }));
        ui.WaitUntilGone(instructions);
        ui.OnUi([&] {
            ExpectFocusOnActiveControl("the instructions closed");
            EXPECT_EQ(::GetFocus(), Native(Manager().cmdInstructions));
        });

        ui.Step("Hide All, Update, Show All by their keys");
        ui.Press('H', false, true);
        ui.OnUi([&] {
            EXPECT_TRUE(Manager().lstContacts.Selected(0));
            ExpectFocusOnActiveControl("Hide All");
        });
        ui.Press('U', false, true);
        ui.OnUi([&] { ExpectFocusOnActiveControl("Update"); });
        ui.Press('S', false, true);
        ui.OnUi([&] {
            EXPECT_FALSE(Manager().lstContacts.Selected(0));
            ExpectFocusOnActiveControl("Show All");
        });

        ui.Step("keys with no focus");
        // With no focus the keys come as system keys to the active window.
        ui.OnUi([&] { ::SetFocus(nullptr); });
        ui.Press(VK_TAB);
        ui.OnUi([&] { ExpectFocusOnActiveControl("Tab with no focus"); });

        ui.Step("close by Esc");
        ui.Press(VK_ESCAPE);
        ui.WaitUntilGone(manager);
        ui.OnUi([&] {
            EXPECT_EQ(::GetForegroundWindow(), m_dialog);
            EXPECT_EQ(::GetFocus(), applet) << "on \"Manage Fax Number Display...\"";
        });
    });
    EXPECT_GT(g_watch.looks, 20) << "the focus was looked at while the handlers worked";
    for (const auto& fault : g_watch.faults)
        ADD_FAILURE() << fault;
}

}  // namespace
}  // namespace telvane
