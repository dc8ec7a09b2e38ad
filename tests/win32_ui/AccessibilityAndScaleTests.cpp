// Product headers come before <windows.h>, whose macros share their names.
#include "forms/CheckBox.h"
#include "forms/CommandButton.h"
#include "forms/Frame.h"
#include "forms/Label.h"
#include "optionspage/PageLibrary.h"
#include "optionspage/TelvanePage.h"
#include "platform/memory/outlook/MailClient.h"
#include "platform/memory/outlook/MemoryPropertyPageSite.h"
#include "platform/memory/registry/MemoryRegistry.h"
#include "tests/support/SampleStore.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <oleacc.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "platform/win32/com/ComPtr.h"
#include "platform/win32/com/TextConversion.h"
#include "platform/win32/ui/CheckBoxPeer.h"
#include "platform/win32/ui/PixelScale.h"
#include "platform/win32/ui/Win32UiHost.h"
#include "tests/support/NativeTree.h"
#include "tests/support/UiDriver.h"
#include "tests/win32_ui/NativeChecks.h"
#include "tests/win32_ui/TabInOptionsWindow.h"

namespace telvane {
namespace {

using testsupport::NativeTree;
using testsupport::UiDriver;
using win32::ComPtr;

// {618736E0-3C3D-11CF-810C-00AA00389B71}
constexpr IID kAccessibleIid = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

VARIANT Child(long id) {
    VARIANT child;
    ::VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

// What a screen reader finds in a window's client area through oleacc.
ComPtr<IAccessible> AccessibleOf(HWND window) {
    ComPtr<IAccessible> object;
    EXPECT_EQ(::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), kAccessibleIid,
                                           object.PutVoid()),
              S_OK);
    return object;
}

std::wstring NameOf(IAccessible& object, long child) {
    BSTR name = nullptr;
    if (FAILED(object.get_accName(Child(child), &name)) || name == nullptr)
        return {};
    std::wstring text(name, ::SysStringLen(name));
    ::SysFreeString(name);
    return text;
}

long NumberOf(HRESULT hr, const VARIANT& value) {
    return SUCCEEDED(hr) && value.vt == VT_I4 ? value.lVal : -1;
}

long RoleOf(IAccessible& object, long child) {
    VARIANT role;
    ::VariantInit(&role);
    return NumberOf(object.get_accRole(Child(child), &role), role);
}

long StateOf(IAccessible& object, long child) {
    VARIANT state;
    ::VariantInit(&state);
    return NumberOf(object.get_accState(Child(child), &state), state);
}

// The tab in a stand-in window larger than the Options dialog, so that the tab's button stays
// inside it at every DPI.
class WindowsAsUsersMeetThemTest : public test::TabInOptionsWindow {
protected:
    WindowsAsUsersMeetThemTest() { m_side = 480; }
};

TEST_F(WindowsAsUsersMeetThemTest, AScreenReaderHearsEachContactAndItsTick) {
    Drive([&](UiDriver& ui) {
        const HWND applet = ui.Ask<HWND>([&] { return Native(page->cmdApplet); });
        ui.Require(ui.Ask<bool>([&] {
            RECT button{};
            RECT inside{};
            ::GetWindowRect(applet, &button);
            ::GetClientRect(m_dialog, &inside);
            ::MapWindowPoints(m_dialog, nullptr, reinterpret_cast<POINT*>(&inside), 2);
            const POINT centre{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
            return ::PtInRect(&inside, centre) != FALSE;
        }),
                   "the tab's button is inside the stand-in Options window");
        ui.ClickCentre(applet);
        ui.WaitForWindow(L"Telvane");
        const HWND tree = ui.Ask<HWND>([&] { return Native(library.frmFaxManager->tvContacts); });
        ui.ClickCentre(tree, ui.Ask<RECT>([&] {
            return NativeTree::TextRect(tree, NativeTree::Find(tree, L"Contacts"));
        }));
        const HWND list = ui.Ask<HWND>([&] { return Native(library.frmFaxManager->lstContacts); });
        const auto entry = [&](const std::string& prefix) {
            const auto& entries = library.frmFaxManager->lstContacts;
            for (int i = 0; i < entries.ListCount(); ++i) {
                if (entries.List(i).rfind(prefix, 0) == 0)
                    return i;
            }
            return -1;
        };
        const int ann = ui.Ask<int>([&] { return entry("Archer, Ann"); });
        ui.Require(ann >= 0, "Ann is listed");
        const auto tickBox = [&](int index) {
            RECT row{};
            ::SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index),
                           reinterpret_cast<LPARAM>(&row));
            const int side = win32::PixelScale::OfWindow(list).FromDefault(13);
            return POINT{row.left + 1 + side / 2, (row.top + row.bottom) / 2};
        };
        struct Step {
            const char* what;
            std::function<void()> act;
            // -1: every entry unticked, 1: every entry ticked, 0: Ann ticked (the others as the
            // sample has them), 2: Ann unticked.
            int ticks;
        };
        const std::vector<Step> steps{
            {"the folder is listed", [] {}, 2},
            {"a click ticks Ann",
             [&] { ui.Click(list, ui.Ask<POINT>([&] { return tickBox(ann); })); }, 0},
            {"Hide All",
             [&] {
                 ui.ClickCentre(
                     ui.Ask<HWND>([&] { return Native(library.frmFaxManager->cmdSelect(0)); }));
             },
             1},
            {"Show All",
             [&] {
                 ui.ClickCentre(
                     ui.Ask<HWND>([&] { return Native(library.frmFaxManager->cmdSelect(1)); }));
             },
             -1},
        };
        for (const Step& step : steps) {
            ui.Step(step.what);
            step.act();
            ui.OnUi([&] {
                const auto& entries = library.frmFaxManager->lstContacts;
                ComPtr<IAccessible> reader = AccessibleOf(list);
                ASSERT_TRUE(reader) << step.what;
                long count = -1;
                EXPECT_EQ(reader->get_accChildCount(&count), S_OK);
                ASSERT_EQ(count, entries.ListCount()) << step.what;
                EXPECT_GT(count, 2) << step.what;
                EXPECT_EQ(RoleOf(*reader.Get(), CHILDID_SELF), ROLE_SYSTEM_LIST);
                for (long child = 1; child <= count; ++child) {
                    const int index = static_cast<int>(child - 1);
                    const std::string text = entries.List(index);
                    EXPECT_EQ(NameOf(*reader.Get(), child), win32::com::WideFromUtf8(text))
                        << step.what;
                    EXPECT_EQ(RoleOf(*reader.Get(), child), ROLE_SYSTEM_LISTITEM) << text;
                    const long state = StateOf(*reader.Get(), child);
                    ASSERT_NE(state, -1) << text;
                    if (step.ticks == 1 || step.ticks == -1 || index == ann) {
                        const bool expected = step.ticks == 1 || step.ticks == 0;
                        EXPECT_EQ((state & STATE_SYSTEM_CHECKED) != 0, expected)
                            << step.what << ": " << text;
                    }
                    EXPECT_EQ((state & STATE_SYSTEM_CHECKED) != 0, entries.Selected(index))
                        << step.what << ": " << text;
                }
            });
        }

        ui.Step("groupings, pictures and the order of the windows");
        ui.OnUi([&] {
            const frmFaxManager& form = library.frmFaxManager.Get();
            for (const forms::Frame* frame : {&form.frmeControl}) {
                ComPtr<IAccessible> reader = AccessibleOf(Native(*frame));
                ASSERT_TRUE(reader);
                EXPECT_EQ(RoleOf(*reader.Get(), CHILDID_SELF), ROLE_SYSTEM_GROUPING)
                    << frame->Name();
                EXPECT_EQ(NameOf(*reader.Get(), CHILDID_SELF),
                          win32::com::WideFromUtf8(frame->Caption()));
            }
            ComPtr<IAccessible> icon = AccessibleOf(Native(page->Image1));
            ASSERT_TRUE(icon);
            EXPECT_EQ(RoleOf(*icon.Get(), CHILDID_SELF), ROLE_SYSTEM_GRAPHIC);
            EXPECT_EQ(NameOf(*icon.Get(), CHILDID_SELF), L"Telvane");
        });
        ui.Press(VK_ESCAPE);
    });
}

// A caption that does not fit its control's client rectangle is cut off on the screen.
void ExpectTextFits(HWND window, const std::string& name) {
    const std::wstring text = test::WindowText(window);
    if (text.empty() || !::IsWindowVisible(window))
        return;
    RECT client{};
    ::GetClientRect(window, &client);
    const HDC dc = ::GetDC(window);
    const HGDIOBJ previous =
        ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0)));
    wchar_t className[32] = {};
    ::GetClassNameW(window, className, 32);
    const LONG_PTR style = ::GetWindowLongPtrW(window, GWL_STYLE);
    const bool button = lstrcmpiW(className, L"Button") == 0;
    RECT needed{0, 0, client.right, client.bottom};
    UINT format = DT_CALCRECT;
    if (button || (style & SS_TYPEMASK) == SS_LEFTNOWORDWRAP)
        format |= DT_SINGLELINE;
    else
        format |= DT_WORDBREAK;
    if (!button && (style & SS_NOPREFIX))
        format |= DT_NOPREFIX;
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed, format);
    ::SelectObject(dc, previous);
    ::ReleaseDC(window, dc);
    const LONG_PTR kind = style & BS_TYPEMASK;
    const bool checkBox = button && (kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX);
    const int room =
        checkBox ? win32::CheckBoxPeer::TextRoom(window, win32::PixelScale::OfWindow(window))
                 : client.right;
    EXPECT_LE(needed.right, room) << name << " is cut off at the right";
    EXPECT_LE(needed.bottom, client.bottom) << name << " is cut off at the bottom";
}

void ExpectLaidOutAtDpi(win32::Win32UiHost& host, const forms::Form& form) {
    test::ExpectWindowsMatchModel(host, form);
    // The run at each DPI says which it set up; the host must have found it.
    if (const char* expected = std::getenv("TELVANE_EXPECT_DPI")) {
        EXPECT_EQ(host.Dpi(), std::atoi(expected)) << form.Name();
    }
    for (const forms::Control* control : form.Controls()) {
        const auto kind = control->Kind();
        if (kind != forms::ControlKind::Label && kind != forms::ControlKind::CommandButton &&
            kind != forms::ControlKind::CheckBox)
            continue;
        if (const HWND window = host.WindowOf(*control))
            ExpectTextFits(window, form.Name() + "." + control->Name());
    }
}

TEST_F(WindowsAsUsersMeetThemTest, EveryControlIsItsTwipsAtTheScreensDpiAndNoTextIsCutOff) {
    std::printf("laid out at %d DPI\n", host.Dpi());
    ExpectLaidOutAtDpi(host, *page);
    for (const auto& load :
         std::vector<std::function<const forms::Form&()>>{[&]() -> const forms::Form& {
                                                              library.frmFaxManager->Show();
                                                              return library.frmFaxManager.Get();
                                                          },
                                                          [&]() -> const forms::Form& {
                                                              library.frmInstructions->Show();
                                                              return library.frmInstructions.Get();
                                                          }}) {
        const forms::Form& form = load();
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&message);
        ExpectLaidOutAtDpi(host, form);
    }
}

}  // namespace
}  // namespace telvane
