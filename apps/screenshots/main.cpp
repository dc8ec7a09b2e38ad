// Takes PNG-ready pictures of the real windows: runs the options tab and the fax manager with the
// Win32 host on the sample store (and a folder large enough to catch Update at work), acts as
// the user with real input, and saves each window at the demo's moments as a 24-bit BMP in the
// folder given (scripts/windows/screenshots.sh makes PNGs of them for docs/).
//
// Product headers come before <windows.h>, whose macros share their names.
#include "optionspage/PageLibrary.h"
#include "optionspage/TelvanePage.h"
#include "platform/memory/outlook/MailClient.h"
#include "platform/memory/outlook/MemoryPropertyPageSite.h"
#include "platform/memory/registry/MemoryRegistry.h"
#include "tests/support/FaxManagerWork.h"
#include "tests/support/SampleStore.h"

#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>

#include "apps/outlookhost/OptionsDialogLayout.h"
#include "platform/win32/ui/Win32UiHost.h"
#include "tests/support/NativeTree.h"
#include "tests/support/UiDriver.h"

namespace {

using telvane::testsupport::NativeTree;
using telvane::testsupport::UiDriver;

// The window as the screen shows it, title bar and frame included.
bool Save(HWND window, const std::string& path) {
    RECT outer{};
    ::GetWindowRect(window, &outer);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    const HDC screen = ::GetDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    const HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HDC memory = ::CreateCompatibleDC(screen);
    const HGDIOBJ previous = ::SelectObject(memory, bitmap);
    // From the window's own DC, not the screen's: under Wine that reads what the window drew
    // even before it reached the display, as in the middle of Update.
    const HDC source = ::GetWindowDC(window);
    ::BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
    ::ReleaseDC(window, source);
    ::GdiFlush();
    const auto stride = static_cast<DWORD>(((width * 3) + 3) & ~3);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + stride * static_cast<DWORD>(height);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    out.write(static_cast<const char*>(bits), static_cast<std::streamsize>(stride * height));
    ::SelectObject(memory, previous);
    ::DeleteDC(memory);
    ::DeleteObject(bitmap);
    ::ReleaseDC(nullptr, screen);
    return out.good();
}

// The working picture's moment: the first time the progress bar has drawn a quarter done
// while the frame is shut.
struct WorkingPicture {
    HHOOK hook = nullptr;
    HWND bar = nullptr;
    HWND frame = nullptr;
    HWND manager = nullptr;
    std::string path;
    bool taken = false;
    int saved = 0;
};
WorkingPicture g_working;

LRESULT CALLBACK TakeWhileWorking(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && !g_working.taken && message->hwnd == g_working.bar &&
        message->message == PBM_SETPOS && !::IsWindowEnabled(g_working.frame)) {
        const auto all = ::SendMessageW(g_working.bar, PBM_GETRANGE, FALSE, 0);
        if (all > 0 && static_cast<LRESULT>(message->wParam) * 4 >= all) {
            g_working.taken = true;
            g_working.saved += Save(g_working.manager, g_working.path);
        }
    }
    return ::CallNextHookEx(g_working.hook, code, wParam, lParam);
}

// A stand-in for the mail client's Options dialog at the stand-in's own size: its buttons, its
// tab strip with the product's tab chosen, and the window the page lies in, which fills the
// strip's display area.
struct OptionsFrame {
    HWND dialog = nullptr;
    HWND pageArea = nullptr;
};

OptionsFrame MakeOptionsFrame(const telvane::win32::PixelScale& scale) {
    using Layout = telvane::outlookhost::OptionsDialogLayout;
    const auto px = [&](int pixels) { return scale.FromDefault(pixels); };
    const auto grown = [&](const RECT& at) {
        return RECT{px(at.left), px(at.top), px(at.right), px(at.bottom)};
    };
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    RECT outer{0, 0, px(Layout::ClientWidth), px(Layout::ClientHeight)};
    ::AdjustWindowRectEx(&outer, style, FALSE, WS_EX_DLGMODALFRAME);
    OptionsFrame frame;
    frame.dialog = ::CreateWindowExW(WS_EX_DLGMODALFRAME, L"#32770", L"Options", style, 20, 20,
                                     outer.right - outer.left, outer.bottom - outer.top, nullptr,
                                     nullptr, nullptr, nullptr);
    if (frame.dialog == nullptr)
        return frame;
    const auto font = reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT));
    const auto child = [&](const wchar_t* kind, const wchar_t* text, DWORD more, const RECT& at) {
        const HWND made = ::CreateWindowExW(0, kind, text, WS_CHILD | WS_VISIBLE | more, at.left,
                                            at.top, at.right - at.left, at.bottom - at.top,
                                            frame.dialog, nullptr, nullptr, nullptr);
        ::SendMessageW(made, WM_SETFONT, font, FALSE);
        return made;
    };
    const int top = Layout::ButtonsTop();
    const int width = Layout::ButtonWidth;
    int left = Layout::ClientWidth - Layout::Margin - 3 * width - 12;
    for (const wchar_t* caption : {L"OK", L"Cancel", L"&Apply"}) {
        const HWND button = child(L"BUTTON", caption, BS_PUSHBUTTON,
                                  grown({left, top, left + width, top + Layout::ButtonHeight}));
        if (caption[0] == L'&')
            ::EnableWindow(button, FALSE);
        left += width + 6;
    }
    RECT area = grown(Layout::TabStripRect());
    const HWND strip = child(WC_TABCONTROLW, L"", WS_CLIPSIBLINGS, area);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    for (const wchar_t* title : {L"Preferences", L"Telvane"}) {
        item.pszText = const_cast<wchar_t*>(title);
        ::SendMessageW(strip, TCM_INSERTITEMW, ::SendMessageW(strip, TCM_GETITEMCOUNT, 0, 0),
                       reinterpret_cast<LPARAM>(&item));
    }
    ::SendMessageW(strip, TCM_SETCURSEL, 1, 0);
    ::SendMessageW(strip, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    frame.pageArea = child(L"STATIC", L"", WS_CLIPCHILDREN | WS_CLIPSIBLINGS, area);
    ::SetWindowPos(frame.pageArea, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return frame;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace telvane;
    const std::string folder = argc > 1 ? argv[1] : ".";
    win32::Win32UiHost host;
    memory::MailClient client;
    testsupport::SampleStore sample{client};
    // Enough contacts that Update is still at work when the picture is taken.
    auto large = sample.personal.AddFolder("Customers", outlook::olContactItem);
    for (int i = 0; i < 40000; ++i) {
        const std::string name = "Customer " + std::to_string(10000 + i);
        large.AddContact({.FileAs = name, .BusinessFaxNumber = "0161 496 " + std::to_string(i)});
    }
    memory::MemoryRegistry registry;
    PageLibrary library{registry, host};
    // The stand-in Options dialog's layout, grown with the screen's DPI as the tab inside it is.
    const OptionsFrame frame = MakeOptionsFrame(host.Scale());
    const HWND dialog = frame.dialog;
    if (dialog == nullptr) {
        std::fprintf(stderr, "no display\n");
        return 1;
    }
    auto page = std::make_shared<TelvanePage>(library);
    page->UserControl_InitProperties(client.NewPropertyPageSite());
    host.EmbedIn(*page, frame.pageArea);
    // The size the dialog gives its pages, as the page's own adapter hands it on.
    RECT area{};
    ::GetClientRect(frame.pageArea, &area);
    page->SetClientSize(host.Twips(area.right), host.Twips(area.bottom));
    page->UserControl_Resize();
    page->Show();
    ::ShowWindow(dialog, SW_SHOW);

    int saved = 0;
    UiDriver driver;
    driver.SetBusyProbe([&] { return testsupport::FaxManagerWork::Busy(host, library); });
    const auto take = [&](UiDriver& ui, HWND window, const char* name) {
        ui.Settle();
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        if (Save(window, folder + "/" + name + ".bmp"))
            ++saved;
    };
    const auto native = [&](UiDriver& ui, auto pick) {
        return ui.Ask<HWND>([&] { return host.WindowOf(pick(library.frmFaxManager.Get())); });
    };
    driver.Run(
        [&](UiDriver& ui) {
            ui.ClickCentre(ui.Ask<HWND>([&] { return host.WindowOf(page->cmdApplet); }));
            const HWND manager = ui.WaitForWindow(L"Telvane");
            take(ui, manager, "frmFaxManager-opened");
            const HWND tree = native(
                ui, [](frmFaxManager & f) -> auto& { return f.tvContacts; });
            const auto choose = [&](const wchar_t* name) {
                const RECT where = ui.Ask<RECT>(
                    [&] { return NativeTree::TextRect(tree, NativeTree::Find(tree, name)); });
                ui.ClickCentre(tree, where);
            };
            choose(L"Contacts");
            take(ui, manager, "frmFaxManager-contacts");

            // Highlight an entry, then its details.
            const HWND list = native(
                ui, [](frmFaxManager & f) -> auto& { return f.lstContacts; });
            ui.Click(list, {60, 8});
            ui.ClickCentre(native(
                ui, [](frmFaxManager & f) -> auto& { return f.cmdDisplay; }));
            const HWND details = ui.WaitForWindow(L"Contact Details");
            take(ui, details, "frmDisplay-shown");
            ui.Press(VK_ESCAPE);
            ui.WaitUntilGone(details);

            ui.ClickCentre(native(
                ui, [](frmFaxManager & f) -> auto& { return f.cmdInstructions; }));
            const HWND instructions = ui.WaitForWindow(L"Instructions");
            take(ui, instructions, "frmInstructions-shown");
            ui.ClickCentre(ui.Ask<HWND>(
                [&] { return host.WindowOf(library.frmInstructions.Get().cmdCancel); }));
            ui.WaitUntilGone(instructions);

            // The large folder, all ticked, and Update caught at work.
            choose(L"Customers");
            ui.ClickCentre(native(
                ui, [](frmFaxManager & f) -> auto& { return f.cmdSelect(0); }));
            const HWND frame = native(
                ui, [](frmFaxManager & f) -> auto& { return f.frmeControl; });
            const HWND update = native(
                ui, [](frmFaxManager & f) -> auto& { return f.cmdUpdate; });
            // The picture is taken on the UI thread as soon as the bar has drawn a quarter
            // done: Update is too quick for a look from outside.
            ui.OnUi([&] {
                g_working = {};
                g_working.bar = host.WindowOf(library.frmFaxManager.Get().pbWait);
                g_working.frame = frame;
                g_working.manager = manager;
                g_working.path = folder + "/frmFaxManager-working.bmp";
                g_working.hook = ::SetWindowsHookExW(WH_CALLWNDPROCRET, &TakeWhileWorking, nullptr,
                                                     ::GetCurrentThreadId());
            });
            RECT client{};
            ::GetClientRect(update, &client);
            POINT centre{client.right / 2, client.bottom / 2};
            ::ClientToScreen(update, &centre);
            ::SetCursorPos(centre.x, centre.y);
            INPUT click[2] = {};
            click[0].type = click[1].type = INPUT_MOUSE;
            click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
            click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
            ::SendInput(2, click, sizeof(INPUT));
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
            while (::IsWindowEnabled(frame) && !g_working.taken &&
                   std::chrono::steady_clock::now() < deadline) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            while (!::IsWindowEnabled(frame) && std::chrono::steady_clock::now() < deadline)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            bool taken = false;
            ui.OnUi([&] {
                ::UnhookWindowsHookEx(g_working.hook);
                g_working.hook = nullptr;
                taken = g_working.taken;
                saved += g_working.saved;
            });
            ui.Require(taken, "Update was caught at work");
            ui.Press(VK_ESCAPE);
            ui.WaitUntilGone(manager);
            take(ui, dialog, "TelvanePage-opened");
        },
        [&](MSG& message) { return host.PreTranslateMessage(message); },
        [&] { library.frmFaxManager.Unload(); });
    for (const auto& failure : driver.Failures())
        std::fprintf(stderr, "%s\n", failure.c_str());
    page->Unload();
    ::DestroyWindow(dialog);
    std::printf("%d pictures in %s\n", saved, folder.c_str());
    return saved == 6 && driver.Failures().empty() ? 0 : 1;
}
