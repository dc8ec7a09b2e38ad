#pragma once

// Product headers come before <windows.h>, whose macros share their names.
#include "optionspage/PageLibrary.h"
#include "optionspage/TelvanePage.h"
#include "platform/memory/outlook/MailClient.h"
#include "platform/memory/outlook/MemoryPropertyPageSite.h"
#include "platform/memory/registry/MemoryRegistry.h"
#include "tests/support/SampleStore.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "platform/win32/ui/PixelScale.h"
#include "platform/win32/ui/Win32UiHost.h"
#include "tests/support/FaxManagerWork.h"
#include "tests/support/UiDriver.h"

namespace telvane::test {

// The options tab in a stand-in for the Options dialog's window, on the sample store, with the
// real Win32 host; a test drives the windows through the UiDriver as a person would.
class TabInOptionsWindow : public testing::Test {
protected:
    void SetUp() override {
        // Grown with the screen's DPI, as the tab inside it is, so the tab's button stays inside.
        const int side = win32::PixelScale::OfScreen().FromDefault(m_side);
        m_dialog =
            ::CreateWindowExW(0, L"STATIC", L"Options", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40,
                              40, side, side, nullptr, nullptr, nullptr, nullptr);
        if (m_dialog == nullptr)
            GTEST_SKIP() << "no display to create windows on";
        page = std::make_shared<TelvanePage>(library);
        page->UserControl_InitProperties(site);
        host.EmbedIn(*page, m_dialog);
        page->Show();
        ::ShowWindow(m_dialog, SW_SHOW);
        ::SetForegroundWindow(m_dialog);
    }
    void TearDown() override {
        UnloadForms();
        if (page)
            page->Unload();
        page.reset();
        if (m_dialog != nullptr)
            ::DestroyWindow(m_dialog);
    }

    // Runs the scenario with the container's keys going through the host first, and reports
    // what failed in it.
    void Drive(const std::function<void(testsupport::UiDriver&)>& scenario) {
        driver.SetBusyProbe([this] { return testsupport::FaxManagerWork::Busy(host, library); });
        const auto keys = [this](MSG& message) { return host.PreTranslateMessage(message); };
        driver.Run(scenario, keys, [this] { UnloadForms(); });
        for (const auto& failure : driver.Failures())
            ADD_FAILURE() << failure;
    }
    HWND Native(const forms::Control& control) { return host.WindowOf(control); }

    int m_side = 420;  // the stand-in window's width and height at 96 DPI, before SetUp
    win32::Win32UiHost host;
    memory::MailClient client;
    testsupport::SampleStore sample{client};
    memory::MemoryRegistry registry;
    PageLibrary library{registry, host};
    std::shared_ptr<memory::MemoryPropertyPageSite> site = client.NewPropertyPageSite();
    std::shared_ptr<TelvanePage> page;
    testsupport::UiDriver driver;
    HWND m_dialog = nullptr;

private:
    void UnloadForms() {
        library.frmDisplay.Unload();
        library.frmInstructions.Unload();
        library.frmFaxManager.Unload();
    }
};

}  // namespace telvane::test
