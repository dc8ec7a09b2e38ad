#include "optionspage/TelvanePage.h"

#include <algorithm>
#include <cstdio>

#include "common/outlook/RaisedError.h"
#include "common/outlook/TryStep.h"
#include "optionspage/PageLibrary.h"

namespace telvane {
TelvanePage::TelvanePage(PageLibrary& library)
    : Form(library.Host(), "TelvanePage"), m_library(library) {
    SetBorderStyle(forms::FormBorderStyle::None);
    SetClientSize(DesignWidth, DesignHeight);
    SetShowInTaskbar(false);

    Label2.SetFontBold(true);
    Label2.SetAutoSize(true);
    const auto inactive = forms::Color::System(forms::SystemColor::InactiveTitleBar);
    const auto window = forms::Color::System(forms::SystemColor::WindowBackground);
    Line1.Load(2, *this, 120, 225, 4800, 225, inactive);
    Line1.Load(3, *this, 120, 240, 5400, 240, window);
    Line1.Load(1, *this, 120, 2055, 4800, 2055, inactive);
    Line1.Load(0, *this, 120, 2070, 5400, 2070, window);
    lblVersion.SetAutoSize(true);
    Label1.SetWordWrap(true);
    SetTabOrder({&cmdApplet, &chkFax});

    chkFax.OnClick([this] { chkFax_Click(); });
    cmdApplet.OnClick([this] { cmdApplet_Click(); });
}

std::string TelvanePage::VersionText(int major, int minor, int revision) {
    char text[64];
    std::snprintf(text, sizeof text, "(Version: %d.%02d.%04d)", major, minor, revision);
    return text;
}

void TelvanePage::PropertyPage_GetPageInfo(std::string& helpFile, std::int32_t& helpContext) {
    // The page has no help: both are left as the dialog passed them.
    static_cast<void>(helpFile);
    static_cast<void>(helpContext);
}

void TelvanePage::PropertyPage_Apply() {
    m_library.Settings().WriteSwitch(static_cast<std::int16_t>(chkFax.Value()));
    m_blnDirty = false;
}

void TelvanePage::UserControl_InitProperties(
    const std::shared_ptr<outlook::PropertyPageSite>& container) {
    if (container) {
        m_library.m_objSite = container;
        m_site = container.get();
    }
    m_blnLoading = true;
    Settings& settings = m_library.Settings();
    settings.SettingsKeyPath = Settings::KeyPath;
    TryStep([&] { chkFax.SetValue(settings.ReadSwitch()); });
    const auto& version = m_library.LibraryVersion();
    lblVersion.SetCaption(VersionText(version.major, version.minor, version.revision));
    m_library.modFaxManager.m_intFolderMax = 5;
    m_blnLoading = false;
    m_blnDirty = false;
}

void TelvanePage::UserControl_Terminate() {
    if (m_site && m_library.m_objSite.get() == m_site)
        m_library.m_objSite.reset();
    m_site = nullptr;
}

void TelvanePage::UserControl_Resize() {
    const int width = ClientWidth();
    // A page narrower than its margins keeps an empty label rather than a negative width.
    Label1.SetWidth(std::max(0, width - 840));
    cmdApplet.SetLeft(width - 2625);
    Line1(0).SetX2(width - 180);
    for (int i : {1, 2, 3})
        Line1(i).SetX2(Line1(0).X2());
}

void TelvanePage::MarkDirty() {
    if (!m_library.m_objSite || m_blnLoading)
        return;
    m_blnDirty = true;
    m_library.m_objSite->OnStatusChange();
}

void TelvanePage::cmdApplet_Click() {
    m_library.modFaxManager.LoadContactFolders();
    m_library.frmFaxManager.Get().ShowModal(nullptr);
}

}  // namespace telvane
