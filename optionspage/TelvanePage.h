#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "common/outlook/PropertyPageSite.h"
#include "forms/CheckBox.h"
#include "forms/CommandButton.h"
#include "forms/ControlArray.h"
#include "forms/Form.h"
#include "forms/Image.h"
#include "forms/Label.h"
#include "forms/Line.h"

namespace telvane {

class PageLibrary;

// The product's tab in the mail client's Options dialog: the switch, which the dialog's Apply
// stores, and the button that opens the fax manager.
class TelvanePage : public forms::Form {
public:
    static constexpr int DesignWidth = 5580;
    static constexpr int DesignHeight = 5400;

    explicit TelvanePage(PageLibrary& library);

    // The mail client's PropertyPage.
    void PropertyPage_GetPageInfo(std::string& helpFile, std::int32_t& helpContext);
    bool PropertyPage_Dirty() const { return m_blnDirty; }
    void PropertyPage_Apply();

    // container: the object the dialog gave the control, taken as its page site; empty when it
    // is not one.
    void UserControl_InitProperties(const std::shared_ptr<outlook::PropertyPageSite>& container);
    // The dialog sized the page: lays it out for its new inner width.
    void UserControl_Resize();
    // The page is going: the site it brought is released, since nothing uses it after the page.
    void UserControl_Terminate();

    // "(Version: 1.01.0006)" for version 1.1.6.
    static std::string VersionText(int major, int minor, int revision);

    forms::Label Label2{*this, "Label2", {120, 120, 2295, 195}, "Telvane     "};
    forms::ControlArray<forms::Line> Line1{"Line1"};
    forms::Label lblVersion{*this, "lblVersion", {300, 315, 180, 195}};
    forms::Image Image1{*this, "Image1", {120, 600, 480, 480}, "ProductIcon"};
    forms::Label Label1{*this,
                        "Label1",
                        {720, 600, 2895, 735},
                        "Suppress fax numbers from listing when addressing emails."};
    forms::CommandButton cmdApplet{
        *this, "cmdApplet", {2910, 960, 2500, 350}, "Manage &Fax Number Display..."};
    forms::CheckBox chkFax{*this,
                           "chkFax",
                           {225, 1560, 4485, 255},
                           "Suppress fax numbers when Contacts created or updated"};

private:
    void chkFax_Click() { MarkDirty(); }
    void cmdApplet_Click();
    void MarkDirty();

    PageLibrary& m_library;
    bool m_blnDirty = false;
    bool m_blnLoading = false;
    // The site this page handed the library, to release only that one.
    const outlook::PropertyPageSite* m_site = nullptr;
};

}  // namespace telvane
