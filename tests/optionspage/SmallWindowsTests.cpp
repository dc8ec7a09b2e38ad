#include <gtest/gtest.h>

#include "forms/SvgRenderer.h"
#include "tests/optionspage/FaxManagerFixture.h"

namespace telvane {
namespace {

std::vector<std::string> Values(const frmDisplay& details) {
    std::vector<std::string> values;
    for (int i = 0; i < 5; ++i)
        values.push_back(details.lblValue(i).Caption());
    return values;
}

TEST_F(FaxManagerFixture, DetailsShowTheHighlightedContactOnly) {
    ann.SetStored(outlook::ContactField::CompanyName, "Archer Print");
    std::vector<std::vector<std::string>> shown;
    const auto record = [&](frmDisplay& details) {
        shown.push_back(Values(details));
        EXPECT_EQ(details.Owner(), &library.frmFaxManager.Get());
        ASSERT_TRUE(details.UserPressEscape()) << "Esc closes the details";
    };
    host.WhenShownModally<frmDisplay>("frmDisplay", record);
    host.WhenShownModally<frmDisplay>("frmDisplay", record);
    WithFaxManager([&](frmFaxManager& form) {
        Choose(form, "Contacts");
        ASSERT_TRUE(form.cmdDisplay.UserClick());
        form.lstContacts.UserHighlight(1);
        ASSERT_TRUE(form.cmdDisplay.UserClick());
        EXPECT_EQ(form.lstContacts.Selected(1), true) << "the tick is not changed";
        Close(form);
    });
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0],
              (std::vector<std::string>{" Ann", " ", " Archer, Ann", " ", " Archer Print"}));
    EXPECT_EQ(shown[1], (std::vector<std::string>{" ", " ", " Baker, Bob", " ", " "}));
}

TEST_F(FaxManagerFixture, InstructionsCloseOnlyByTheirButton) {
    host.WhenShownModally<frmInstructions>("frmInstructions", [&](frmInstructions& window) {
        EXPECT_FALSE(window.UserPressEscape());
        EXPECT_TRUE(window.IsLoaded());
        EXPECT_EQ(window.lblInstruction(3).Caption(),
                  "1. Select the Contact Folder to be updated.");
        EXPECT_EQ(window.Label1(1).Caption(), "Hide");
        ASSERT_TRUE(window.cmdCancel.UserClick());
    });
    WithFaxManager([&](frmFaxManager& form) {
        ASSERT_TRUE(form.cmdInstructions.UserClick());
        Close(form);
    });
    EXPECT_EQ(host.PendingScripts(), 0u);
}

TEST_F(FaxManagerFixture, EveryWindowDrawsItsControlsAtTheirPlaces) {
    CreatePage();
    const std::string pageSvg = forms::SvgRenderer::Render(*page);
    // cmdApplet at 2910,960 twips: 194,64 pixels.
    EXPECT_NE(pageSvg.find("cmdApplet"), std::string::npos);
    EXPECT_NE(pageSvg.find("Manage"), std::string::npos);
    WithFaxManager([&](frmFaxManager& form) {
        Choose(form, "Contacts");
        const std::string svg = forms::SvgRenderer::Render(form);
        for (const char* name : {"tvContacts", "lstContacts", "cmdUpdate", "cmdSelect(0)"}) {
            EXPECT_NE(svg.find(name), std::string::npos) << name;
        }
        EXPECT_NE(svg.find("Archer, Ann"), std::string::npos);
        Close(form);
    });
}

}  // namespace
}  // namespace telvane
