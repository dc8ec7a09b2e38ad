// Product headers come before <windows.h>, whose macros share their names.
#include "common/outlook/ContactItem.h"
#include "common/outlook/RaisedError.h"
#include "optionspage/PageLibrary.h"
#include "optionspage/TelvanePage.h"
#include "platform/memory/outlook/MailClient.h"
#include "platform/memory/outlook/MemoryPropertyPageSite.h"
#include "platform/memory/registry/MemoryRegistry.h"
#include "tests/support/SampleStore.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

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

constexpr outlook::ContactField kFaxFields[] = {outlook::ContactField::BusinessFaxNumber,
                                                outlook::ContactField::HomeFaxNumber,
                                                outlook::ContactField::OtherFaxNumber};

class FaxManagerWindowsTest : public test::TabInOptionsWindow {
protected:
    frmFaxManager& Manager() {
        EXPECT_TRUE(library.frmFaxManager.IsLoaded());
        return library.frmFaxManager.Get();
    }
    int EntryIndex(const std::string& prefix) {
        const auto& list = Manager().lstContacts;
        for (int i = 0; i < list.ListCount(); ++i) {
            if (list.List(i).rfind(prefix, 0) == 0)
                return i;
        }
        ADD_FAILURE() << "no entry " << prefix;
        return -1;
    }
    // Where an entry's tick box and its text are in the list's client area.
    RECT EntryRect(int index) {
        RECT row{};
        ::SendMessageW(host.WindowOf(Manager().lstContacts), LB_GETITEMRECT,
                       static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&row));
        return row;
    }
    POINT TickBox(int index) {
        const RECT row = EntryRect(index);
        return {row.left + 7, (row.top + row.bottom) / 2};
    }
    POINT EntryText(int index) {
        const RECT row = EntryRect(index);
        return {row.left + 40, (row.top + row.bottom) / 2};
    }
    HWND Native(const forms::Control& control) { return host.WindowOf(control); }
    // Every contact of the folder that has a fax number has one hidden (true) or none (false):
    // what a tick asks for.
    static bool EveryContactHidden(const memory::FolderHandle& folder, bool hidden) {
        for (std::int32_t i = 1; i <= folder.ItemCount(); ++i) {
            const auto item = folder.Item(i);
            if (item.Class() != outlook::olContact)
                continue;
            bool any = false;
            bool anyHidden = false;
            for (auto field : kFaxFields) {
                const std::string number = item.Stored(field);
                any = any || !number.empty();
                anyHidden = anyHidden || number.rfind("Fax: ", 0) == 0;
            }
            if (any && anyHidden != hidden) {
                ADD_FAILURE() << item.Stored().FileAs;
                return false;
            }
        }
        return true;
    }
    // A point of the title bar's close box, in the window's client coordinates.
    static POINT CloseBox(HWND window) {
        RECT outer{};
        ::GetWindowRect(window, &outer);
        for (int y = outer.top + 2; y < outer.top + 40; y += 2) {
            for (int x = outer.right - 2; x > outer.right - 60; x -= 2) {
                // A point the system also routes to the window (its edge may belong to none).
                if (::SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE &&
                    ::WindowFromPoint({x, y}) == window) {
                    POINT point{x, y};
                    ::ScreenToClient(window, &point);
                    return point;
                }
            }
        }
        ADD_FAILURE() << "no close box";
        return {};
    }
};

TEST_F(FaxManagerWindowsTest, AUserHidesFaxNumbersThroughTheRealWindows) {
    Drive([&](UiDriver& ui) {
        ui.Step("open the manager");
        ui.ClickCentre(ui.Ask<HWND>([&] { return Native(page->cmdApplet); }));
        const HWND manager = ui.WaitForWindow(L"Telvane");
        HWND tree = nullptr;
        HWND list = nullptr;
        ui.OnUi([&] {
            frmFaxManager& form = Manager();
            test::ExpectWindowsMatchModel(host, form);
            tree = Native(form.tvContacts);
            list = Native(form.lstContacts);
            // Modal without an owner: the rest of the thread's windows wait.
            EXPECT_FALSE(::IsWindowEnabled(m_dialog));
            EXPECT_NE(::GetWindow(manager, GW_OWNER), nullptr) << "not in the taskbar";
            EXPECT_NE(::SendMessageW(manager, WM_GETICON, ICON_SMALL, 0), 0) << "the product icon";
            const auto style = ::GetWindowLongPtrW(manager, GWL_STYLE);
            EXPECT_TRUE(style & WS_SYSMENU);
            EXPECT_FALSE(style & WS_THICKFRAME);
            EXPECT_EQ(static_cast<int>(TreeView_GetCount(tree)), form.tvContacts.Nodes().Count());
            for (const auto& node : form.tvContacts.Nodes().All()) {
                const HTREEITEM item =
                    NativeTree::Find(tree, win32::com::WideFromUtf8(node->Text()));
                ASSERT_NE(item, nullptr) << node->Text();
                EXPECT_EQ((TreeView_GetItemState(tree, item, TVIS_EXPANDED) & TVIS_EXPANDED) != 0,
                          node->Expanded() && node->Children() > 0)
                    << node->Text();
            }
        });

        ui.Step("access keys");
        // Access keys and the tab order, while the list's caption still has its key.
        ui.Press('F', false, true);
        ui.OnUi([&] {
            EXPECT_EQ(::GetFocus(), tree);
            EXPECT_TRUE(Manager().tvContacts.HasFocus());
        });
        ui.Press('C', false, true);
        ui.OnUi([&] { EXPECT_EQ(::GetFocus(), list); });
        ui.Press(VK_TAB);
        ui.OnUi([&] { EXPECT_EQ(::GetFocus(), Native(Manager().cmdSelect(1))); });
        ui.Press(VK_TAB, true);
        ui.OnUi([&] { EXPECT_EQ(::GetFocus(), list); });

        ui.Step("choose a folder");
        // The user chooses the Contacts folder by clicking its name.
        ui.ClickCentre(tree, ui.Ask<RECT>([&] {
            return NativeTree::TextRect(tree, NativeTree::Find(tree, L"Contacts"));
        }));
        int ann = -1;
        int dan = -1;
        ui.OnUi([&] {
            frmFaxManager& form = Manager();
            EXPECT_EQ(test::WindowText(Native(form.lblCaption(1))), L"Fax Contacts for Contacts");
            EXPECT_EQ(::SendMessageW(list, LB_GETCOUNT, 0, 0), form.lstContacts.ListCount());
            EXPECT_GT(form.lstContacts.ListCount(), 2);
            EXPECT_TRUE(::IsWindowVisible(list));
            EXPECT_TRUE(::IsWindowVisible(Native(form.cmdDisplay)));
            ann = EntryIndex("Archer, Ann");
            dan = EntryIndex("Dorsey, Dan");
            ASSERT_GE(ann, 0);
            EXPECT_FALSE(form.lstContacts.Selected(ann));
            test::ExpectWindowsMatchModel(host, form);
        });
        ui.Require(ann >= 0 && dan >= 0, "the sample's contacts are listed");

        // A click on Ann's box ticks her; the space bar unticks and ticks again.
        ui.Click(list, ui.Ask<POINT>([&] { return TickBox(ann); }));
        ui.OnUi([&] {
            EXPECT_TRUE(Manager().lstContacts.Selected(ann));
            EXPECT_EQ(::GetFocus(), list);
            EXPECT_EQ(sample.ann.Stored(outlook::ContactField::BusinessFaxNumber), "020 7946 0018")
                << "nothing is written before Update";
        });
        ui.Press(VK_SPACE);
        ui.OnUi([&] { EXPECT_FALSE(Manager().lstContacts.Selected(ann)); });
        ui.Press(VK_SPACE);
        ui.ClickCentre(ui.Ask<HWND>([&] { return Native(Manager().cmdUpdate); }));
        ui.OnUi([&] {
            EXPECT_EQ(sample.ann.Stored(outlook::ContactField::BusinessFaxNumber),
                      "Fax: 020 7946 0018");
            const auto node = Manager().tvContacts.SelectedItem();
            ASSERT_TRUE(node);
            EXPECT_EQ(NativeTree::Text(tree, TreeView_GetSelection(tree)),
                      win32::com::WideFromUtf8(node->Text()));
            EXPECT_TRUE(::IsWindowEnabled(Native(Manager().frmeControl)));
            test::ExpectWindowsMatchModel(host, Manager());
        });

        ui.Step("details");
        // Dan's details, then Esc.
        ui.Click(list, ui.Ask<POINT>([&] { return EntryText(dan); }));
        ui.OnUi([&] {
            EXPECT_EQ(Manager().lstContacts.ListIndex(), dan);
            EXPECT_EQ(::SendMessageW(list, LB_GETCURSEL, 0, 0), dan);
        });
        ui.ClickCentre(ui.Ask<HWND>([&] { return Native(Manager().cmdDisplay); }));
        const HWND details = ui.WaitForWindow(L"Contact Details");
        ui.OnUi([&] {
            frmDisplay& form = library.frmDisplay.Get();
            test::ExpectWindowsMatchModel(host, form);
            EXPECT_TRUE(::GetWindowLongPtrW(details, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
            EXPECT_EQ(::GetWindow(details, GW_OWNER), manager);
            EXPECT_FALSE(::IsWindowEnabled(manager));
            std::vector<std::wstring> values;
            for (const auto& [index, label] : form.lblValue)
                values.push_back(test::WindowText(Native(*label)));
            EXPECT_EQ(values, (std::vector<std::wstring>{L" Dan", L" Dorsey", L" Dorsey, Dan", L" ",
                                                         L" Dorsey & Sons"}));
        });
        ui.Press(VK_ESCAPE);
        ui.WaitUntilGone(details);
        ui.OnUi([&] {
            EXPECT_TRUE(::IsWindowEnabled(manager));
            EXPECT_EQ(::GetActiveWindow(), manager);
        });

        ui.Step("instructions");
        // The instructions: Esc does not close them, Close does.
        ui.ClickCentre(ui.Ask<HWND>([&] { return Native(Manager().cmdInstructions); }));
        const HWND instructions = ui.WaitForWindow(L"Instructions");
        HWND close = nullptr;
        ui.OnUi([&] {
            frmInstructions& form = library.frmInstructions.Get();
            test::ExpectWindowsMatchModel(host, form);
            close = Native(form.cmdCancel);
            // The legend: an empty box above a ticked one.
            const HWND legend = Native(*form.Image1);
            const HDC dc = ::GetDC(legend);
            EXPECT_EQ(::GetPixel(dc, 6, 6), RGB(255, 255, 255));
            EXPECT_EQ(::GetPixel(dc, 6, 15 + 6), RGB(0, 0, 0));
            EXPECT_EQ(::GetPixel(dc, 0, 15), RGB(128, 128, 128));
            ::ReleaseDC(legend, dc);
        });
        ui.Press(VK_ESCAPE);
        ui.Require(::IsWindowVisible(instructions) != FALSE, "Esc leaves the instructions open");
        ui.ClickCentre(close);
        ui.WaitUntilGone(instructions);

        ui.Step("hide all");
        // Hide All, then Update with a click on Show All arriving while Update works.
        ui.ClickCentre(ui.Ask<HWND>([&] { return Native(Manager().cmdSelect(0)); }));
        HWND update = nullptr;
        HWND showAll = nullptr;
        ui.OnUi([&] {
            const auto& entries = Manager().lstContacts;
            for (int i = 0; i < entries.ListCount(); ++i)
                EXPECT_TRUE(entries.Selected(i)) << entries.List(i);
            update = Native(Manager().cmdUpdate);
            showAll = Native(Manager().cmdSelect(1));
        });
        ui.Clicks({{update, {20, 10}}, {showAll, {20, 10}}});
        ui.OnUi([&] {
            const auto& entries = Manager().lstContacts;
            for (int i = 0; i < entries.ListCount(); ++i)
                EXPECT_TRUE(entries.Selected(i)) << entries.List(i) << ": Show All was refused";
            EXPECT_TRUE(EveryContactHidden(sample.contacts, true));
        });
        ui.ClickCentre(showAll);
        ui.OnUi([&] {
            const auto& entries = Manager().lstContacts;
            for (int i = 0; i < entries.ListCount(); ++i)
                EXPECT_FALSE(entries.Selected(i)) << entries.List(i) << ": Show All works after";
        });

        ui.Step("close by Esc");
        // Esc closes the manager; so do the close box and Close.
        ui.Press(VK_ESCAPE);
        ui.WaitUntilGone(manager);
        ui.Require(::IsWindowEnabled(m_dialog) != FALSE, "the dialog is usable again");
        ui.ClickCentre(ui.Ask<HWND>([&] { return Native(page->cmdApplet); }));
        const HWND again = ui.WaitForWindow(L"Telvane");
        ui.Step("close by the close box");
        const POINT box = ui.Ask<POINT>([&] { return CloseBox(again); });
        ui.Click(again, box);
        ui.WaitUntilGone(again);
        ui.ClickCentre(ui.Ask<HWND>([&] { return Native(page->cmdApplet); }));
        const HWND third = ui.WaitForWindow(L"Telvane");
        ui.Step("close by Close");
        ui.ClickCentre(ui.Ask<HWND>([&] { return Native(Manager().cmdCancel); }));
        ui.WaitUntilGone(third);
        ui.OnUi([&] {
            EXPECT_FALSE(library.frmFaxManager.IsLoaded());
            EXPECT_TRUE(EveryContactHidden(sample.contacts, true)) << "closing writes nothing";
        });
    });
}

struct GuiCounts {
    int windows = 0;
    DWORD user = 0;
    DWORD gdi = 0;
    std::size_t fonts = 0;
};

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK CountWindowAndChildren(HWND window, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    ::EnumChildWindows(window, &CountWindow, count);
    return TRUE;
}

TEST_F(FaxManagerWindowsTest, TwoHundredOpeningsLeaveNoWindowOrGdiObjectBehind) {
    const auto counts = [&] {
        GuiCounts now;
        ::EnumThreadWindows(::GetCurrentThreadId(), &CountWindowAndChildren,
                            reinterpret_cast<LPARAM>(&now.windows));
        now.user = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
        now.gdi = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
        now.fonts = host.Resources().FontCount();
        return now;
    };
    GuiCounts first;
    GuiCounts open;
    GuiCounts last;
    Drive([&](UiDriver& ui) {
        const HWND applet = ui.Ask<HWND>([&] { return Native(page->cmdApplet); });
        for (int i = 0; i < 200; ++i) {
            ui.Step("opening " + std::to_string(i + 1));
            ui.ClickCentre(applet);
            const HWND manager = ui.WaitForWindow(L"Telvane");
            if (i == 0)
                open = ui.Ask<GuiCounts>(counts);
            ui.Press(VK_ESCAPE);
            ui.WaitUntilGone(manager);
            // The first opening loads what stays for the process: fonts, icons, classes.
            if (i == 0)
                first = ui.Ask<GuiCounts>(counts);
        }
        last = ui.Ask<GuiCounts>(counts);
    });
    EXPECT_GT(open.windows, first.windows + 15) << "the manager's windows were counted";
    EXPECT_EQ(last.windows, first.windows);
    EXPECT_EQ(last.fonts, first.fonts);
    EXPECT_EQ(last.user, first.user);
    EXPECT_EQ(last.gdi, first.gdi);
    if (first.gdi == 0)
        std::printf("GetGuiResources reports nothing here (Wine): windows and fonts counted\n");
}

// Window creation that fails at one call: the k-th from when the count was set (0: never).
int g_windowsMade = 0;
int g_failAt = 0;
HWND WINAPI MakeWindowFailingOnce(DWORD extended, LPCWSTR windowClass, LPCWSTR text, DWORD style,
                                  int x, int y, int width, int height, HWND parent, HMENU menu,
                                  HINSTANCE module, LPVOID parameter) {
    if (++g_windowsMade == g_failAt) {
        ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return ::CreateWindowExW(extended, windowClass, text, style, x, y, width, height, parent, menu,
                             module, parameter);
}

// Ends a modal show that would otherwise wait for ever, counting the shown window's windows.
PageLibrary* g_closing = nullptr;
win32::Win32UiHost* g_closingHost = nullptr;
bool g_closedByTimer = false;
int g_shownWindows = 0;
void CALLBACK CloseManager(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    if (g_closing != nullptr && g_closing->frmFaxManager.IsLoaded()) {
        g_closedByTimer = true;
        g_shownWindows = 1;
        ::EnumChildWindows(g_closingHost->WindowOf(g_closing->frmFaxManager.Get()), &CountWindow,
                           reinterpret_cast<LPARAM>(&g_shownWindows));
        g_closing->frmFaxManager.Unload();
    }
}

TEST_F(FaxManagerWindowsTest, AWindowThatCannotBeMadeFailsTheOpeningAndLeavesNothingBehind) {
    const auto counts = [&] {
        GuiCounts now;
        ::EnumThreadWindows(::GetCurrentThreadId(), &CountWindowAndChildren,
                            reinterpret_cast<LPARAM>(&now.windows));
        now.gdi = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
        now.user = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
        return now;
    };
    // One opening as the options tab's button makes it; true when it raised `error`.
    const auto open = [&](int failAt, RaisedError* error) {
        g_windowsMade = 0;
        g_failAt = failAt;
        g_closing = &library;
        g_closingHost = &host;
        g_closedByTimer = false;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 300, &CloseManager);
        bool raised = false;
        try {
            page->cmdApplet.UserClick();
        } catch (const RaisedError& caught) {
            raised = true;
            if (error != nullptr)
                *error = caught;
        }
        ::KillTimer(nullptr, timer);
        g_closing = nullptr;
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&message);
        return raised;
    };
    host.SetWindowMakerForTests(&MakeWindowFailingOnce);
    // An opening that fails nothing: how many windows the manager makes, and what stays for
    // the process once it has been open (fonts, icons).
    ASSERT_FALSE(open(0, nullptr));
    ASSERT_TRUE(g_closedByTimer) << "the manager was shown";
    const int made = g_windowsMade;
    EXPECT_EQ(made, g_shownWindows) << "every window the manager shows was counted";
    const GuiCounts before = counts();
    const auto start = std::chrono::steady_clock::now();
    for (int k = 1; k <= made; ++k) {
        RaisedError error(0, "", "");
        EXPECT_TRUE(open(k, &error)) << "window " << k << " of " << made;
        EXPECT_FALSE(g_closedByTimer) << "window " << k << ": shown without it";
        EXPECT_EQ(error.Number(),
                  static_cast<std::int32_t>(HRESULT_FROM_WIN32(ERROR_NOT_ENOUGH_MEMORY)))
            << k;
        EXPECT_NE(std::string(error.Description()).find("could not be created"), std::string::npos)
            << error.Description();
        EXPECT_FALSE(library.frmFaxManager.IsLoaded()) << k;
        const GuiCounts after = counts();
        EXPECT_EQ(after.windows, before.windows) << "windows left after failing window " << k;
        EXPECT_EQ(after.gdi, before.gdi) << k;
        EXPECT_EQ(after.user, before.user) << k;
    }
    // Each failed opening returns at once instead of waiting for a window that is not there.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));
    // One window more than the manager makes fails none of them: it opens, and the options
    // tab is usable again.
    EXPECT_FALSE(open(made + 1, nullptr));
    EXPECT_TRUE(g_closedByTimer);
    EXPECT_EQ(g_windowsMade, made);
    EXPECT_TRUE(::IsWindowEnabled(m_dialog));
    host.SetWindowMakerForTests(nullptr);
}

}  // namespace
}  // namespace telvane
