// Product headers come before <windows.h>, whose macros share their names.
#include "forms/CheckBox.h"
#include "forms/CommandButton.h"
#include "forms/Form.h"
#include "forms/Label.h"
#include "forms/ListBox.h"
#include "forms/ProgressBar.h"

#include "tests/win32_ui/NativeChecks.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <tuple>

#include "platform/win32/com/TextConversion.h"
#include "platform/win32/ui/PixelScale.h"
#include "platform/win32/ui/Win32UiHost.h"

namespace telvane::test {
namespace {

std::string ModelCaption(const forms::Control& control) {
    switch (control.Kind()) {
        case forms::ControlKind::Label:
            return static_cast<const forms::Label&>(control).Caption();
        case forms::ControlKind::CommandButton:
            return static_cast<const forms::CommandButton&>(control).Caption();
        case forms::ControlKind::CheckBox:
            return static_cast<const forms::CheckBox&>(control).Caption();
        default:
            return {};
    }
}

}  // namespace

std::wstring WindowText(HWND window) {
    wchar_t text[512] = {};
    ::GetWindowTextW(window, text, 512);
    return text;
}

void ExpectWindowsMatchModel(win32::Win32UiHost& host, const forms::Form& form) {
    const HWND window = host.WindowOf(form);
    ASSERT_NE(window, nullptr) << form.Name();
    // The host lays out at the DPI of the form's monitor.
    const win32::PixelScale scale = win32::PixelScale::OfWindow(window);
    EXPECT_EQ(host.Dpi(), scale.Dpi()) << form.Name();
    RECT client{};
    ::GetClientRect(window, &client);
    EXPECT_NEAR(client.right, scale.Pixels(form.ClientWidth()), 1) << form.Name();
    EXPECT_NEAR(client.bottom, scale.Pixels(form.ClientHeight()), 1) << form.Name();
    if ((::GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) == 0) {
        EXPECT_EQ(WindowText(window), win32::com::WideFromUtf8(form.Caption())) << form.Name();
    }

    std::set<HFONT> fonts;
    std::set<std::tuple<std::string, double, bool>> modelFonts;
    for (const forms::Control* control : form.Controls()) {
        const std::string name = form.Name() + "." + control->Name();
        const HWND native = host.WindowOf(*control);
        if (control->Kind() == forms::ControlKind::Line) {
            EXPECT_EQ(native, nullptr) << name << ": its container draws it";
            continue;
        }
        ASSERT_NE(native, nullptr) << name;
        const forms::Control* frame = control->Parent().AsControl();
        const HWND parent = frame ? host.WindowOf(*frame) : window;
        EXPECT_EQ(::GetParent(native), parent) << name;
        RECT place{};
        ::GetWindowRect(native, &place);
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
        const forms::Bounds& b = control->GetBounds();
        EXPECT_NEAR(place.left, scale.Pixels(b.left), 1) << name;
        EXPECT_NEAR(place.top, scale.Pixels(b.top), 1) << name;
        EXPECT_NEAR(place.right, scale.Pixels(b.left + b.width), 1) << name;
        EXPECT_NEAR(place.bottom, scale.Pixels(b.top + b.height), 1) << name;
        EXPECT_EQ((::GetWindowLongPtrW(native, GWL_STYLE) & WS_VISIBLE) != 0, control->Visible())
            << name;
        EXPECT_EQ(::IsWindowEnabled(native) != FALSE, control->Enabled()) << name;
        const std::string caption = ModelCaption(*control);
        if (!caption.empty()) {
            EXPECT_EQ(WindowText(native), win32::com::WideFromUtf8(caption)) << name;
        }
        if (control->Kind() == forms::ControlKind::ProgressBar) {
            // A position held back while the product worked is shown by the time it rests.
            const auto& bar = static_cast<const forms::ProgressBar&>(*control);
            EXPECT_EQ(::SendMessageW(native, PBM_GETPOS, 0, 0), bar.Value()) << name;
            EXPECT_EQ(::SendMessageW(native, PBM_GETRANGE, FALSE, 0), bar.Max()) << name;
        }
        if (control->Kind() == forms::ControlKind::ListBox && control->Visible()) {
            EXPECT_EQ(::SendMessageW(native, LB_GETCOUNT, 0, 0),
                      static_cast<const forms::ListBox&>(*control).ListCount())
                << name;
        }

        const auto font = reinterpret_cast<HFONT>(::SendMessageW(native, WM_GETFONT, 0, 0));
        if (font == nullptr)
            continue;  // panes draw with the font themselves
        fonts.insert(font);
        modelFonts.emplace(control->Font().name, control->Font().size, control->Font().bold);
        LOGFONTW description{};
        ASSERT_NE(::GetObjectW(font, sizeof description, &description), 0) << name;
        EXPECT_EQ(std::wstring(description.lfFaceName),
                  win32::com::WideFromUtf8(control->Font().name))
            << name;
        // The font's size at this DPI, or the size below it whose line fits the design's box.
        EXPECT_LE(description.lfHeight,
                  scale.FontHeight(control->Font().size) + scale.FromDefault(2) - 2)
            << name;
        EXPECT_GE(description.lfHeight, scale.FontHeight(control->Font().size)) << name;
        EXPECT_EQ(description.lfWeight >= FW_BOLD, control->Font().bold) << name;
    }
    EXPECT_EQ(fonts.size(), modelFonts.size()) << form.Name() << ": one font object per font";

    const forms::Control* active = form.ActiveControl();
    if (active != nullptr && ::GetActiveWindow() == window) {
        EXPECT_EQ(::GetFocus(), host.WindowOf(*active)) << form.Name() << "." << active->Name();
    }
}

}  // namespace telvane::test
