#include <vector>

#include <gtest/gtest.h>

#include "forms/ControlArray.h"
#include "forms/Form.h"
#include "forms/Frame.h"
#include "forms/Label.h"
#include "forms/Line.h"
#include "platform/memory/ui/HeadlessHost.h"
#include "tests/forms/Printers.h"

namespace telvane::forms::test {
namespace {

// A page whose controls follow its width, with a frame array that holds other controls.
class ResizingPage : public Form {
public:
    explicit ResizingPage(UiHost& host) : Form(host, "ResizingPage") {
        SetBorderStyle(FormBorderStyle::None);
        SetClientSize(5580, 5400);
    }

    ControlArray<Frame> Frame1{"Frame1", [this](ControlArray<Frame>& frames) {
                                   frames.Load(0, *this, Bounds{120, 120, 5000, 2000}, "Overview");
                                   frames.Load(1, *this, Bounds{120, 2280, 5000, 2400}, "Steps");
                               }};
    Label lblStep{Frame1(1), "lblStep", {240, 360, 4000, 255}, "1. Select the folder."};
    ControlArray<Line> Line1{"Line1", [this](ControlArray<Line>& lines) {
                                 lines.Load(0, *this, 120, 2070, 5400, 2070,
                                            Color::System(SystemColor::WindowBackground));
                                 lines.Load(1, *this, 120, 2055, 4800, 2055,
                                            Color::System(SystemColor::InactiveTitleBar));
                             }};
    std::vector<int> widthsSeen;

protected:
    void Form_Resize() override {
        widthsSeen.push_back(ClientWidth());
        Line1(0).SetX2(ClientWidth() - 180);
        Line1(1).SetX2(Line1(0).X2());
    }
};

TEST(PageLayoutTest, ControlsCanLieInAFrameOfAControlArray) {
    memory::HeadlessHost host;
    ResizingPage page(host);
    EXPECT_EQ(&page.Frame1(1), page.lblStep.Parent().AsControl());
    EXPECT_EQ(120 + 240, page.lblStep.FormBounds().left);
    EXPECT_EQ(2280 + 360, page.lblStep.FormBounds().top);
}

TEST(PageLayoutTest, SizingALoadedFormRaisesResizeWithTheNewWidth) {
    memory::HeadlessHost host;
    ResizingPage page(host);
    page.SetClientSize(5000, 5400);
    EXPECT_TRUE(page.widthsSeen.empty()) << "not loaded yet";
    page.Load();
    page.SetClientSize(6000, 5400);
    page.SetClientSize(6000, 5400);
    EXPECT_EQ(page.widthsSeen, std::vector<int>{6000}) << "a size that did not change";
    EXPECT_EQ(5820, page.Line1(1).X2());
    EXPECT_EQ(120, page.Line1(1).X1());
    EXPECT_EQ((Bounds{120, 2055, 5700, 0}), page.Line1(1).GetBounds());
}

TEST(PageLayoutTest, MovingALineMovesItsEnds) {
    memory::HeadlessHost host;
    ResizingPage page(host);
    page.Line1(0).Move({240, 100, 2000, 0});
    EXPECT_EQ(240, page.Line1(0).X1());
    EXPECT_EQ(2240, page.Line1(0).X2());
    EXPECT_EQ(100, page.Line1(0).Y1());
    EXPECT_EQ(100, page.Line1(0).Y2());
}

}  // namespace
}  // namespace telvane::forms::test
