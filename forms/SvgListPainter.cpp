#include "forms/SvgListPainter.h"

#include <algorithm>
#include <string>

#include "forms/CheckBox.h"
#include "forms/Color.h"
#include "forms/ListBox.h"
#include "forms/SvgPen.h"
#include "forms/TextMetrics.h"
#include "forms/TreeView.h"

namespace telvane::forms {

void SvgListPainter::DrawTreeView(SvgWriter& svg, const TreeView& tree, const SvgBox& box) {
    SvgPen::FillRect(svg, box, SvgPen::Hex(SystemColor::WindowBackground));
    SvgPen::SunkenBorder(svg, box);
    const SvgBox inner = SvgPen::Inset(box, 2);
    const std::string clipId = "clip-" + SvgPen::SafeId(tree.Name());
    SvgPen::ClipTo(svg, clipId, inner);
    svg.Open("g", {{"clip-path", "url(#" + clipId + ")"}});
    const Font& font = tree.Font();
    const double row = SvgPen::LinePixels(font) + 3;
    const double indent = static_cast<double>(tree.Indentation()) / kTwipsPerPixel;
    const std::string text =
        tree.Enabled() ? SvgPen::Hex(SystemColor::WindowText) : SvgPen::Hex(SystemColor::GrayText);
    double y = inner.y;
    for (const auto& node : tree.ShownNodes()) {
        if (y >= inner.y + inner.h)
            break;
        const double level = inner.x + node->Depth() * indent;
        svg.Open("g", {{"class", "node"},
                       {"data-key", node->Key()},
                       {"data-index", std::to_string(node->Index())},
                       {"data-depth", std::to_string(node->Depth())},
                       {"data-selected", node->Selected() ? "true" : "false"}});
        if (node->Children() > 0) {
            // The expand button: a box with a minus, or a plus when collapsed.
            const double bx = level + (indent - 9) / 2;
            const double by = y + (row - 9) / 2;
            svg.Empty("rect", {{"x", SvgPen::N(bx + 0.5)},
                               {"y", SvgPen::N(by + 0.5)},
                               {"width", "8"},
                               {"height", "8"},
                               {"fill", SvgPen::Hex(SystemColor::WindowBackground)},
                               {"stroke", SvgPen::Hex(SystemColor::ButtonShadow)}});
            std::string sign = "M" + SvgPen::N(bx + 2) + "," + SvgPen::N(by + 4.5) + "h5";
            if (!node->Expanded())
                sign += "M" + SvgPen::N(bx + 4.5) + "," + SvgPen::N(by + 2) + "v5";
            svg.Empty("path", {{"d", sign}, {"stroke", text}, {"fill", "none"}});
        }
        const double tx = level + indent + 2;
        const double width = TextMetrics::LineWidthPixels(node->Text(), font);
        RowText(svg, font, {tx - 2, y + 1, width + 4, row - 2}, node->Selected(), tx, y, row, text,
                node->Text());
        svg.Close();
        y += row;
    }
    svg.Close();
}

void SvgListPainter::DrawListBox(SvgWriter& svg, const ListBox& list, const SvgBox& box) {
    SvgPen::FillRect(svg, box, SvgPen::Hex(SystemColor::WindowBackground));
    SvgPen::SunkenBorder(svg, box);
    SvgBox inner = SvgPen::Inset(box, 2);
    const Font& font = list.Font();
    const bool ticks = list.Style() == ListBoxStyle::Checkbox;
    const double row = SvgPen::LinePixels(font) + (ticks ? 3 : 0);
    const int rows = std::max(1, static_cast<int>(inner.h / row));
    if (list.ListCount() > rows) {
        // A scroll bar takes the right edge; its thumb shows where the top entry lies.
        const SvgBox bar{inner.x + inner.w - 16, inner.y, 16, inner.h};
        inner.w = std::max(0.0, inner.w - 16);
        SvgPen::FillRect(svg, bar, SvgPen::Hex(SystemColor::ScrollBars));
        const double thumb = std::max(8.0, bar.h * rows / list.ListCount());
        const double top =
            bar.y + (bar.h - thumb) * list.TopIndex() / std::max(1, list.ListCount() - rows);
        SvgPen::FillRect(svg, {bar.x, std::min(top, bar.y + bar.h - thumb), bar.w, thumb},
                         SvgPen::Hex(SystemColor::ButtonFace));
        SvgPen::RaisedBorder(svg, {bar.x, std::min(top, bar.y + bar.h - thumb), bar.w, thumb});
    }
    const std::string clipId = "clip-" + SvgPen::SafeId(list.Name());
    SvgPen::ClipTo(svg, clipId, inner);
    svg.Open("g", {{"clip-path", "url(#" + clipId + ")"}});
    const std::string text =
        list.Enabled() ? SvgPen::Hex(SystemColor::WindowText) : SvgPen::Hex(SystemColor::GrayText);
    for (int i = list.TopIndex(); i < list.ListCount() && i < list.TopIndex() + rows + 1; ++i) {
        const double y = inner.y + (i - list.TopIndex()) * row;
        const bool highlighted = i == list.ListIndex();
        SvgPen::Attributes entry = {{"class", "entry"},
                                    {"data-index", std::to_string(i)},
                                    {"data-highlighted", highlighted ? "true" : "false"}};
        if (ticks)
            entry.emplace_back("data-ticked", list.Selected(i) ? "true" : "false");
        svg.Open("g", entry);
        double tx = inner.x + 2;
        if (ticks) {
            SvgPen::DrawTickBox(svg, inner.x + 1, y + (row - SvgPen::kCheckBoxSize) / 2,
                                list.Selected(i) ? CheckBox::Checked : CheckBox::Unchecked,
                                list.Enabled());
            tx = inner.x + SvgPen::kCheckBoxSize + 4;
        }
        RowText(svg, font, {tx - 1, y, inner.x + inner.w - tx + 1, row}, highlighted, tx, y, row,
                text, list.List(i));
        svg.Close();
    }
    svg.Close();
}

void SvgListPainter::RowText(SvgWriter& svg, const Font& font, const SvgBox& highlight,
                             bool highlighted, double x, double y, double row,
                             const std::string& color, const std::string& text) {
    if (highlighted)
        SvgPen::FillRect(svg, highlight, SvgPen::Hex(SystemColor::Highlight));
    svg.Text("text",
             SvgPen::TextAttributes(font, x,
                                    y + (row - SvgPen::LinePixels(font)) / 2 + SvgPen::Ascent(font),
                                    highlighted ? SvgPen::Hex(SystemColor::HighlightText) : color),
             text);
}

}  // namespace telvane::forms
