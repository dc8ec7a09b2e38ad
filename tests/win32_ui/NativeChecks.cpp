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

#include <algorithm>
#include <climits>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/win32/com/TextConversion.h"
#include "platform/win32/ui/CheckBoxPeer.h"
#include "platform/win32/ui/DrawingResources.h"
#include "platform/win32/ui/GdiObjects.h"
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
    std::set<std::tuple<std::wstring, LONG, LONG>> madeFonts;
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
        LOGFONTW description{};
        ASSERT_NE(::GetObjectW(font, sizeof description, &description), 0) << name;
        madeFonts.emplace(description.lfFaceName, description.lfHeight, description.lfWeight);
        EXPECT_EQ(std::wstring(description.lfFaceName),
                  win32::com::WideFromUtf8(control->Font().name))
            << name;
        // The font's size at this DPI, or the size below it whose line fits the design's box.
        const int largest = scale.FontHeight(control->Font().size);
        int smallest = largest + scale.FromDefault(2) - 2;
        if (control->Kind() == forms::ControlKind::CheckBox && description.lfHeight > smallest) {
            // Narrowed for a face wider than the design's: only as far as the caption needs.
            LOGFONTW larger = description;
            --larger.lfHeight;
            const win32::FontHandle wider(::CreateFontIndirectW(&larger));
            EXPECT_GT(win32::DrawingResources::TextWidth(wider.Get(), WindowText(native)),
                      win32::CheckBoxPeer::TextRoom(native, scale))
                << name << " is narrowed more than it needs";
            smallest = largest * 3 / 4;
        }
        EXPECT_LE(description.lfHeight, smallest) << name;
        EXPECT_GE(description.lfHeight, largest) << name;
        EXPECT_EQ(description.lfWeight >= FW_BOLD, control->Font().bold) << name;
        // What GDI made of the request: a face without its bold would draw regular.
        EXPECT_EQ(win32::DrawingResources::Metrics(font).tmWeight >= FW_BOLD, control->Font().bold)
            << name << " as drawn";
    }
    EXPECT_EQ(fonts.size(), madeFonts.size()) << form.Name() << ": one font object per font";

    // Windows walks siblings from the top of the z-order for the tab order, a screen reader's
    // reading order and a control's label: that walk must meet them in the design's tab order,
    // lines and images (which have no tab index) last.
    std::map<HWND, const forms::Control*> byWindow;
    for (const forms::Control* control : form.Controls()) {
        if (const HWND native = host.WindowOf(*control))
            byWindow.emplace(native, control);
    }
    std::set<HWND> containers{window};
    for (const auto& [native, control] : byWindow)
        containers.insert(::GetParent(native));
    for (const HWND container : containers) {
        std::vector<std::string> walked;
        std::vector<std::string> designed;
        std::vector<std::pair<int, std::string>> ranked;
        for (HWND child = ::GetWindow(container, GW_CHILD); child != nullptr;
             child = ::GetWindow(child, GW_HWNDNEXT)) {
            const auto found = byWindow.find(child);
            if (found == byWindow.end())
                continue;
            const forms::Control& control = *found->second;
            walked.push_back(control.Name());
            ranked.emplace_back(control.HasTabIndex() ? control.TabIndex() : INT_MAX,
                                control.Name());
        }
        std::stable_sort(ranked.begin(), ranked.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& [rank, name] : ranked)
            designed.push_back(name);
        EXPECT_EQ(walked, designed) << form.Name() << ": the z-order of a container's children";
    }

    const forms::Control* active = form.ActiveControl();
    if (active != nullptr && ::GetActiveWindow() == window) {
        EXPECT_EQ(::GetFocus(), host.WindowOf(*active)) << form.Name() << "." << active->Name();
    }
}

}  // namespace telvane::test
