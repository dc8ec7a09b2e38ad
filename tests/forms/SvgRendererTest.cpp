#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "forms/SvgRenderer.h"
#include "platform/memory/ui/HeadlessHost.h"
#include "tests/forms/SampleForm.h"

namespace telvane::forms::test {
namespace {

using AttributeMap = std::map<std::string, std::string>;

std::size_t CountOf(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// The attributes of the first start tag in `svg` that carries `attribute="value"`.
AttributeMap TagWith(const std::string& svg, const std::string& attribute,
                     const std::string& value) {
    const auto at = svg.find(attribute + "=\"" + value + "\"");
    if (at == std::string::npos)
        return {};
    const auto start = svg.rfind('<', at);
    const std::string tag = svg.substr(start, svg.find('>', at) - start);
    AttributeMap attributes;
    static const std::regex pair(R"re(([\w:-]+)="([^"]*)")re");
    for (auto it = std::sregex_iterator(tag.begin(), tag.end(), pair); it != std::sregex_iterator();
         ++it) {
        attributes[(*it)[1]] = (*it)[2];
    }
    return attributes;
}

// The markup of the control's <g> element, up to the start of the next control's element.
std::string ControlMarkup(const std::string& svg, const std::string& name) {
    const auto at = svg.find("data-name=\"" + name + "\"");
    if (at == std::string::npos)
        return {};
    const auto next = svg.find("class=\"control\"", at);
    return svg.substr(at, next == std::string::npos ? std::string::npos : next - at);
}

// The drawing writes pixels with two decimals.
constexpr double kPixelTolerance = 0.005;

double Number(const std::string& text) {
    return text.empty() ? -1.0 : std::stod(text);
}

class SvgRendererTest : public ::testing::Test {
protected:
    SvgRendererTest() {
        auto store = form.tvFolders.Nodes().Add("S1", "Mailbox");
        auto contacts = form.tvFolders.Nodes().Add(store, TreeRelationship::Child, "C1",
                                                   "Contacts [ 3 Contacts ]");
        form.tvFolders.Nodes().Add(contacts, TreeRelationship::Child, "C2", "Hidden child");
        store->SetExpanded(true);
        form.tvFolders.SetSelectedItem(contacts);
        contacts->SetExpanded(false);
        for (const char* name : {"Miller", "Adams <Ann>", "Brown"})
            form.lstEntries.AddItem(name);
        form.lstEntries.SetSelected(1, true);
        form.lstEntries.SetListIndex(2);
        form.chkOption.SetValue(1);
        form.pbWait.SetVisible(true);
        form.pbWait.SetValue(25);
        form.Show();
    }

    memory::HeadlessHost host;
    SampleForm form{host};
};

TEST_F(SvgRendererTest, EveryVisibleControlIsDrawnAtItsTwipsPosition) {
    const std::string svg = SvgRenderer::Render(form);
    for (const Control* control : form.Controls()) {
        const AttributeMap tag = TagWith(svg, "data-name", control->Name());
        ASSERT_FALSE(tag.empty()) << control->Name() << " is missing";
        const Bounds b = control->FormBounds();
        EXPECT_EQ(tag.at("data-twips"), std::to_string(b.left) + " " + std::to_string(b.top) + " " +
                                            std::to_string(b.width) + " " +
                                            std::to_string(b.height))
            << control->Name();
        EXPECT_NEAR(b.left / 15.0, Number(tag.at("data-left")), kPixelTolerance) << control->Name();
        EXPECT_NEAR(b.top / 15.0, Number(tag.at("data-top")), kPixelTolerance) << control->Name();
        EXPECT_NEAR(b.width / 15.0, Number(tag.at("data-width")), kPixelTolerance)
            << control->Name();
        EXPECT_NEAR(b.height / 15.0, Number(tag.at("data-height")), kPixelTolerance)
            << control->Name();
    }
}

TEST_F(SvgRendererTest, TheDrawingHasTheWindowsPixelSizeAndATitleBarWithTheCaption) {
    const std::string svg = SvgRenderer::Render(form);
    const AttributeMap root = TagWith(svg, "data-form", "frmSample");
    EXPECT_NEAR(form.WindowBounds().width / 15.0, Number(root.at("width")), kPixelTolerance);
    EXPECT_NEAR(form.WindowBounds().height / 15.0, Number(root.at("height")), kPixelTolerance);
    EXPECT_NE(svg.find(">Sample &amp; &lt;Test&gt;</text>"), std::string::npos)
        << "the caption is missing or not escaped";
    EXPECT_EQ(std::string::npos, svg.find("<Test>"));
    const AttributeMap client = TagWith(svg, "id", "client");
    EXPECT_EQ("translate(3,22)", client.at("transform")) << "frame 3 px, title bar 19 px";
}

TEST_F(SvgRendererTest, HiddenControlsAndTheContentOfHiddenFramesAreNotDrawn) {
    form.pbWait.SetVisible(false);
    std::string svg = SvgRenderer::Render(form);
    EXPECT_TRUE(TagWith(svg, "data-name", "pbWait").empty());
    EXPECT_FALSE(TagWith(svg, "data-name", "cmdClose").empty());

    form.frmeControl.SetVisible(false);
    svg = SvgRenderer::Render(form);
    EXPECT_TRUE(TagWith(svg, "data-name", "cmdClose").empty());
    EXPECT_FALSE(TagWith(svg, "data-name", "imgLogo").empty()) << "outside the frame";
}

TEST_F(SvgRendererTest, CheckBoxesShowTheirState) {
    for (int value : {0, 1, 2}) {
        form.chkOption.SetValue(value);
        const std::string markup = ControlMarkup(SvgRenderer::Render(form), "chkOption");
        EXPECT_NE(markup.find("data-value=\"" + std::to_string(value) + "\""), std::string::npos)
            << "value " << value;
        EXPECT_EQ(value == 0 ? 0u : 1u, CountOf(markup, "class=\"tick\"")) << "value " << value;
    }
}

TEST_F(SvgRendererTest, ListEntriesShowTheirTickTheHighlightAndEscapedText) {
    const std::string markup = ControlMarkup(SvgRenderer::Render(form), "lstEntries");
    const AttributeMap first = TagWith(markup, "data-index", "0");
    const AttributeMap second = TagWith(markup, "data-index", "1");
    const AttributeMap third = TagWith(markup, "data-index", "2");
    EXPECT_EQ("false", first.at("data-ticked"));
    EXPECT_EQ("true", second.at("data-ticked"));
    EXPECT_EQ("true", third.at("data-highlighted"));
    EXPECT_EQ("false", second.at("data-highlighted"));
    const auto adams = markup.find(">Adams &lt;Ann&gt;<");
    const auto miller = markup.find(">Miller<");
    ASSERT_NE(adams, std::string::npos);
    EXPECT_LT(adams, miller) << "entries are drawn in list order";
}

TEST_F(SvgRendererTest, TreeNodesAreIndentedByDepthAndCollapsedChildrenLeftOut) {
    const std::string markup = ControlMarkup(SvgRenderer::Render(form), "tvFolders");
    EXPECT_EQ("0", TagWith(markup, "data-key", "S1").at("data-depth"));
    const AttributeMap contacts = TagWith(markup, "data-key", "C1");
    EXPECT_EQ("1", contacts.at("data-depth"));
    EXPECT_EQ("true", contacts.at("data-selected"));
    EXPECT_TRUE(TagWith(markup, "data-key", "C2").empty()) << "its parent is collapsed";

    const std::regex textX(R"re(<text x="([\d.]+)")re");
    std::smatch root;
    std::smatch child;
    const std::string afterRoot = markup.substr(markup.find("data-key=\"S1\""));
    const std::string afterChild = markup.substr(markup.find("data-key=\"C1\""));
    ASSERT_TRUE(std::regex_search(afterRoot, root, textX));
    ASSERT_TRUE(std::regex_search(afterChild, child, textX));
    EXPECT_DOUBLE_EQ(19.0, std::stod(child[1]) - std::stod(root[1])) << "one indentation";
}

TEST_F(SvgRendererTest, TheProgressBarIsFilledByItsValue) {
    const std::string markup = ControlMarkup(SvgRenderer::Render(form), "pbWait");
    const AttributeMap fill = TagWith(markup, "class", "fill");
    const double inner = 1800 / 15.0 - 4;
    EXPECT_DOUBLE_EQ(inner * 0.25, std::stod(fill.at("width")));
}

TEST_F(SvgRendererTest, LinesAreDrawnInTheirColourBetweenTheirEnds) {
    const std::string markup = ControlMarkup(SvgRenderer::Render(form), "lnSeparator");
    const AttributeMap line = TagWith(markup, "stroke", "#808080");
    ASSERT_FALSE(line.empty()) << markup;
    EXPECT_EQ("8", line.at("x1"));
    EXPECT_EQ("392", line.at("x2"));
    EXPECT_NEAR(3100 / 15.0, Number(line.at("y1")), kPixelTolerance);
}

TEST_F(SvgRendererTest, LabelsAndImagesLieUnderTheOtherControlsOfTheirContainer) {
    const std::string svg = SvgRenderer::Render(form);
    EXPECT_LT(svg.find("data-name=\"lblCaption(1)\""), svg.find("data-name=\"picList\""));
    EXPECT_LT(svg.find("data-name=\"picList\""), svg.find("data-name=\"lstEntries\""))
        << "the picture box was created first and lies behind the list";
}

// A title with a rule running through its line, as the options tab has, and a word-wrapping
// label whose caption is wider than its box.
class RuledForm : public Form {
public:
    explicit RuledForm(UiHost& host) : Form(host, "frmRuled") { wrapped.SetWordWrap(true); }

    Label title{*this, "lblTitle", {120, 120, 1200, 195}, "Telvane"};
    Line rule{*this, "lnRule", 120, 225, 4800, 225, Color::System(SystemColor::WindowText)};
    Label wrapped{*this,
                  "lblWrapped",
                  {120, 600, 2895, 735},
                  "Suppress fax numbers from listing when addressing emails."};
};

TEST_F(SvgRendererTest, AnOpaqueLabelCoversTheLineBehindItAndAWrappingLabelStaysInItsBox) {
    RuledForm ruled{host};
    ruled.Show();
    const std::string svg = SvgRenderer::Render(ruled);
    // The container paints its lines under every child window, the title's background on top.
    EXPECT_LT(svg.find("data-name=\"lnRule\""), svg.find("data-name=\"lblTitle\""));
    EXPECT_EQ(TagWith(ControlMarkup(svg, "lblTitle"), "x", "8")["fill"],
              Color::System(SystemColor::ButtonFace).ToHex());
    const std::string markup = ControlMarkup(svg, "lblWrapped");
    AttributeMap box = TagWith(svg, "data-name", "lblWrapped");
    const double right = Number(box["data-left"]) + Number(box["data-width"]);
    const double bottom = Number(box["data-top"]) + Number(box["data-height"]);
    static const std::regex line(
        R"re(<text x="([\d.]+)" y="([\d.]+)"[^>]*textLength="([\d.]+)")re");
    int lines = 0;
    for (auto it = std::sregex_iterator(markup.begin(), markup.end(), line);
         it != std::sregex_iterator(); ++it) {
        ++lines;
        EXPECT_LE(Number((*it)[1]) + Number((*it)[3]), right + kPixelTolerance) << (*it)[0];
        EXPECT_LE(Number((*it)[2]), bottom) << (*it)[0];
    }
    EXPECT_GE(lines, 2) << markup;
}

TEST_F(SvgRendererTest, DisabledControlsAreMarkedAndGreyed) {
    form.cmdClose.SetEnabled(false);
    form.frmeControl.SetEnabled(false);
    const std::string svg = SvgRenderer::Render(form);
    const AttributeMap close = TagWith(svg, "data-name", "cmdClose");
    EXPECT_EQ("false", close.at("data-enabled"));
    EXPECT_EQ("false", TagWith(svg, "data-name", "cmdSelect(0)").at("data-usable"));
    EXPECT_NE(ControlMarkup(svg, "cmdClose").find("fill=\"#808080\""), std::string::npos)
        << "the caption is not grey";
}

TEST_F(SvgRendererTest, TheDocumentIsBalanced) {
    const std::string svg = SvgRenderer::Render(form);
    EXPECT_EQ(CountOf(svg, "<g"), CountOf(svg, "</g>"));
    EXPECT_EQ(CountOf(svg, "<text"), CountOf(svg, "</text>"));
    EXPECT_EQ(1u, CountOf(svg, "</svg>"));
}

TEST_F(SvgRendererTest, RenderToFileWritesTheDrawing) {
    const auto path = std::filesystem::temp_directory_path() / "telvane-forms-render-test.svg";
    SvgRenderer::RenderToFile(form, path);
    std::stringstream content;
    {
        // Closed before the removal: Windows refuses to delete a file that is still open.
        std::ifstream in(path);
        content << in.rdbuf();
    }
    EXPECT_EQ(SvgRenderer::Render(form), content.str());
    std::filesystem::remove(path);
    EXPECT_THROW(SvgRenderer::RenderToFile(form, std::filesystem::temp_directory_path()),
                 std::runtime_error);
}

}  // namespace
}  // namespace telvane::forms::test
