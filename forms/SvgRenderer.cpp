#include "forms/SvgRenderer.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <stdexcept>

#include "forms/CheckBox.h"
#include "forms/CommandButton.h"
#include "forms/Form.h"
#include "forms/Frame.h"
#include "forms/Image.h"
#include "forms/Label.h"
#include "forms/Line.h"
#include "forms/ListBox.h"
#include "forms/Mnemonic.h"
#include "forms/Picture.h"
#include "forms/PictureBox.h"
#include "forms/ProgressBar.h"
#include "forms/SvgWriter.h"
#include "forms/TextMetrics.h"
#include "forms/TreeView.h"

namespace telvane::forms {

namespace {

using Attributes = SvgWriter::Attributes;
using Runs = std::vector<std::pair<std::string, bool>>;

constexpr const char* kFontFamily = "Tahoma, Verdana, sans-serif";
constexpr double kCheckBoxSize = 13.0;

// A rectangle in pixels of the client area.
struct Box {
    double x;
    double y;
    double w;
    double h;
};

std::string N(double value) {
    return SvgWriter::Number(value);
}
std::string Hex(SystemColor color) {
    return Color::System(color).ToHex();
}

Box PixelBox(const Bounds& b) {
    constexpr double px = kTwipsPerPixel;
    return {b.left / px, b.top / px, b.width / px, b.height / px};
}

Box Inset(const Box& box, double by) {
    return {box.x + by, box.y + by, std::max(0.0, box.w - 2 * by), std::max(0.0, box.h - 2 * by)};
}

const char* KindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::Label:
            return "Label";
        case ControlKind::CommandButton:
            return "CommandButton";
        case ControlKind::CheckBox:
            return "CheckBox";
        case ControlKind::Frame:
            return "Frame";
        case ControlKind::PictureBox:
            return "PictureBox";
        case ControlKind::Image:
            return "Image";
        case ControlKind::Line:
            return "Line";
        case ControlKind::TreeView:
            return "TreeView";
        case ControlKind::ListBox:
            return "ListBox";
        case ControlKind::ProgressBar:
            return "ProgressBar";
    }
    return "Control";
}

std::string SafeId(std::string_view name) {
    std::string id;
    for (char c : name) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || c == '_' || c == '-';
        id += plain ? c : '_';
    }
    return id;
}

double FontPixels(const Font& font) {
    return font.size * 96.0 / 72.0;
}
double LinePixels(const Font& font) {
    return TextMetrics::LineHeightPixels(font);
}
double Ascent(const Font& font) {
    return LinePixels(font) * 11.0 / 13.0;
}

Attributes TextAttributes(const Font& font, double x, double baseline, const std::string& fill,
                          const char* anchor = "start") {
    Attributes attributes = {{"x", N(x)},
                             {"y", N(baseline)},
                             {"font-family", kFontFamily},
                             {"font-size", N(FontPixels(font))},
                             {"fill", fill},
                             {"text-anchor", anchor},
                             {"xml:space", "preserve"}};
    if (font.bold)
        attributes.emplace_back("font-weight", "bold");
    return attributes;
}

void FillRect(SvgWriter& svg, const Box& box, const std::string& fill) {
    svg.Empty("rect", {{"x", N(box.x)},
                       {"y", N(box.y)},
                       {"width", N(box.w)},
                       {"height", N(box.h)},
                       {"fill", fill}});
}

void StrokeRect(SvgWriter& svg, const Box& box, const std::string& stroke) {
    svg.Empty("rect", {{"x", N(box.x + 0.5)},
                       {"y", N(box.y + 0.5)},
                       {"width", N(std::max(0.0, box.w - 1))},
                       {"height", N(std::max(0.0, box.h - 1))},
                       {"fill", "none"},
                       {"stroke", stroke}});
}

// One-pixel edges: `topLeft` along the top and left, `bottomRight` along the other two.
void Edge(SvgWriter& svg, const Box& box, const std::string& topLeft,
          const std::string& bottomRight) {
    const double l = box.x + 0.5;
    const double t = box.y + 0.5;
    const double r = box.x + box.w - 0.5;
    const double b = box.y + box.h - 0.5;
    svg.Empty("polyline",
              {{"points", N(l) + "," + N(b) + " " + N(l) + "," + N(t) + " " + N(r) + "," + N(t)},
               {"fill", "none"},
               {"stroke", topLeft}});
    svg.Empty("polyline",
              {{"points", N(r) + "," + N(t) + " " + N(r) + "," + N(b) + " " + N(l) + "," + N(b)},
               {"fill", "none"},
               {"stroke", bottomRight}});
}

void SunkenBorder(SvgWriter& svg, const Box& box) {
    Edge(svg, box, Hex(SystemColor::ButtonShadow), Hex(SystemColor::ButtonHighlight));
    Edge(svg, Inset(box, 1), Hex(SystemColor::DarkShadow3D), Hex(SystemColor::Light3D));
}

void RaisedBorder(SvgWriter& svg, const Box& box) {
    Edge(svg, box, Hex(SystemColor::Light3D), Hex(SystemColor::DarkShadow3D));
    Edge(svg, Inset(box, 1), Hex(SystemColor::ButtonHighlight), Hex(SystemColor::ButtonShadow));
}

void ClipTo(SvgWriter& svg, const std::string& id, const Box& box) {
    svg.Open("clipPath", {{"id", id}});
    FillRect(svg, box, "#000000");
    svg.Close();
}

// The runs of a caption line, with the access key's character underlined.
Runs CaptionRuns(const std::string& text, std::optional<std::size_t> underline) {
    if (!underline || *underline >= text.size())
        return {{text, false}};
    std::size_t length = 1;
    const auto lead = static_cast<unsigned char>(text[*underline]);
    if (lead >= 0xF0) {
        length = 4;
    } else if (lead >= 0xE0) {
        length = 3;
    } else if (lead >= 0xC0) {
        length = 2;
    }
    return {{text.substr(0, *underline), false},
            {text.substr(*underline, length), true},
            {text.substr(std::min(text.size(), *underline + length)), false}};
}

// A caption drawn in one line, centred vertically in `box`; disabled text is embossed.
void CaptionLine(SvgWriter& svg, const Font& font, const Box& box, const std::string& caption,
                 bool mnemonic, bool enabled, const std::string& color, const char* anchor) {
    const Mnemonic parsed = Mnemonic::Parse(caption);
    const std::string& text = mnemonic ? parsed.DisplayText() : caption;
    const Runs runs =
        CaptionRuns(text, mnemonic ? parsed.UnderlineAt() : std::optional<std::size_t>());
    const double x = anchor[0] == 'm' ? box.x + box.w / 2 : box.x;
    const double baseline = box.y + (box.h - LinePixels(font)) / 2 + Ascent(font);
    if (!enabled) {
        svg.TextRuns(
            TextAttributes(font, x + 1, baseline + 1, Hex(SystemColor::ButtonHighlight), anchor),
            runs);
    }
    svg.TextRuns(
        TextAttributes(font, x, baseline, enabled ? color : Hex(SystemColor::GrayText), anchor),
        runs);
}

void OpenControl(SvgWriter& svg, const Control& control, const Box& box) {
    const Bounds twips = control.FormBounds();
    svg.Open("g",
             {{"id", "ctl-" + SafeId(control.Name())},
              {"class", "control"},
              {"data-name", control.Name()},
              {"data-kind", KindName(control.Kind())},
              {"data-left", N(box.x)},
              {"data-top", N(box.y)},
              {"data-width", N(box.w)},
              {"data-height", N(box.h)},
              {"data-twips", std::to_string(twips.left) + " " + std::to_string(twips.top) + " " +
                                 std::to_string(twips.width) + " " + std::to_string(twips.height)},
              {"data-enabled", control.Enabled() ? "true" : "false"},
              {"data-usable", control.IsUsable() ? "true" : "false"}});
}

void DrawLabel(SvgWriter& svg, const Label& label, const Box& box) {
    if (label.BackStyle() == BackStyle::Opaque)
        FillRect(svg, box, label.BackColor().ToHex());
    const bool bordered = label.BorderStyle() == BorderStyle::FixedSingle;
    if (bordered)
        SunkenBorder(svg, box);
    const Box inner = bordered ? Inset(box, 2) : box;
    // A label that sized itself to its caption is not clipped: a viewer's substitute font may
    // be wider than the Tahoma it was measured for.
    const bool clipped = !label.AutoSize() || label.WordWrap();
    const std::string clipId = "clip-" + SafeId(label.Name());
    if (clipped)
        ClipTo(svg, clipId, inner);

    const Mnemonic parsed = Mnemonic::Parse(label.Caption());
    const bool mnemonic = label.UseMnemonic();
    const std::string text = label.DisplayText();
    // A label wraps at its width unless it sizes itself to its caption in one line.
    const int wrapWidth =
        label.AutoSize() && !label.WordWrap() ? 0 : static_cast<int>(inner.w) * kTwipsPerPixel;
    const auto lines = TextMetrics::WrapLines(text, label.Font(), wrapWidth);
    const char* anchor = label.Alignment() == Alignment::Center         ? "middle"
                         : label.Alignment() == Alignment::RightJustify ? "end"
                                                                        : "start";
    const double x = label.Alignment() == Alignment::Center         ? inner.x + inner.w / 2
                     : label.Alignment() == Alignment::RightJustify ? inner.x + inner.w
                                                                    : inner.x;
    const std::string color =
        label.Enabled() ? label.ForeColor().ToHex() : Hex(SystemColor::GrayText);
    svg.Open("g", clipped ? Attributes{{"clip-path", "url(#" + clipId + ")"}} : Attributes{});
    double baseline = inner.y + Ascent(label.Font());
    for (const auto& line : lines) {
        const bool underline = mnemonic && lines.size() == 1;
        svg.TextRuns(TextAttributes(label.Font(), x, baseline, color, anchor),
                     CaptionRuns(line, underline ? parsed.UnderlineAt() : std::nullopt));
        baseline += LinePixels(label.Font());
    }
    svg.Close();
}

void DrawButton(SvgWriter& svg, const CommandButton& button, const Box& box) {
    FillRect(svg, box, Hex(SystemColor::ButtonFace));
    const bool outlined = button.Default() || button.HasFocus();
    if (outlined)
        StrokeRect(svg, box, Hex(SystemColor::WindowFrame));
    RaisedBorder(svg, outlined ? Inset(box, 1) : box);
    CaptionLine(svg, button.Font(), box, button.Caption(), true, button.Enabled(),
                Hex(SystemColor::ButtonText), "middle");
}

void DrawTick(SvgWriter& svg, double x, double y, const std::string& color) {
    svg.Empty("polyline", {{"points", N(x + 3) + "," + N(y + 6) + " " + N(x + 5) + "," + N(y + 8) +
                                          " " + N(x + 9) + "," + N(y + 4)},
                           {"fill", "none"},
                           {"stroke", color},
                           {"stroke-width", "2"},
                           {"class", "tick"}});
}

void DrawTickBox(SvgWriter& svg, double x, double y, int value, bool enabled) {
    const Box box{x, y, kCheckBoxSize, kCheckBoxSize};
    const bool greyed = value == CheckBox::Grayed || !enabled;
    FillRect(svg, box, greyed ? Hex(SystemColor::ButtonFace) : Hex(SystemColor::WindowBackground));
    SunkenBorder(svg, box);
    if (value != CheckBox::Unchecked) {
        DrawTick(svg, x, y,
                 value == CheckBox::Grayed || !enabled ? Hex(SystemColor::GrayText)
                                                       : Hex(SystemColor::WindowText));
    }
}

void DrawCheckBox(SvgWriter& svg, const CheckBox& check, const Box& box) {
    FillRect(svg, box, check.BackColor().ToHex());
    const double boxY = box.y + (box.h - kCheckBoxSize) / 2;
    svg.Open("g", {{"class", "box"}, {"data-value", std::to_string(check.Value())}});
    DrawTickBox(svg, box.x, boxY, check.Value(), check.Enabled());
    svg.Close();
    const Box text{box.x + kCheckBoxSize + 4, box.y, std::max(0.0, box.w - kCheckBoxSize - 4),
                   box.h};
    CaptionLine(svg, check.Font(), text, check.Caption(), true, check.Enabled(),
                Hex(SystemColor::ButtonText), "start");
}

void DrawFrame(SvgWriter& svg, const Frame& frame, const Box& box) {
    FillRect(svg, box, Hex(SystemColor::ButtonFace));
    const double half = LinePixels(frame.Font()) / 2;
    if (frame.BorderStyle() == BorderStyle::FixedSingle) {
        const Box etch{box.x, box.y + half, box.w - 1, box.h - half - 1};
        StrokeRect(svg, etch, Hex(SystemColor::ButtonShadow));
        StrokeRect(svg, {etch.x + 1, etch.y + 1, etch.w, etch.h},
                   Hex(SystemColor::ButtonHighlight));
    }
    if (!frame.Caption().empty()) {
        const std::string text = Mnemonic::Parse(frame.Caption()).DisplayText();
        const double width = TextMetrics::LineWidthPixels(text, frame.Font());
        const Box caption{box.x + 8, box.y, width + 4, LinePixels(frame.Font())};
        FillRect(svg, caption, Hex(SystemColor::ButtonFace));
        CaptionLine(svg, frame.Font(), {caption.x + 2, caption.y, width, caption.h},
                    frame.Caption(), true, frame.Enabled(), Hex(SystemColor::ButtonText), "start");
    }
}

// The picture's pixels, a run of one colour per rectangle, clipped to the box.
void DrawPixels(SvgWriter& svg, const Picture& picture, double left, double top, const Box& box) {
    char fill[8];
    for (int y = 0; y < picture.Height() && top + y < box.y + box.h; ++y) {
        for (int x = 0; x < picture.Width() && left + x < box.x + box.w;) {
            const std::uint32_t pixel = picture.Pixel(x, y);
            int end = x + 1;
            while (end < picture.Width() && picture.Pixel(end, y) == pixel)
                ++end;
            if ((pixel >> 24) >= 0x80) {
                std::snprintf(fill, sizeof fill, "#%06x", static_cast<unsigned>(pixel & 0xFFFFFF));
                FillRect(svg, {left + x, top + y, static_cast<double>(end - x), 1}, fill);
            }
            x = end;
        }
    }
}

void DrawPicture(SvgWriter& svg, const std::string& picture, const Box& box) {
    if (picture.empty())
        return;
    svg.Open("g", {{"class", "picture"}, {"data-picture", picture}});
    svg.Text("title", {}, picture);
    if (const auto pixels = Picture::Load(picture, 32)) {
        DrawPixels(svg, *pixels, box.x, box.y, box);
    } else {
        svg.Empty("rect", {{"x", N(box.x + 0.5)},
                           {"y", N(box.y + 0.5)},
                           {"width", N(std::max(0.0, box.w - 1))},
                           {"height", N(std::max(0.0, box.h - 1))},
                           {"fill", "none"},
                           {"stroke", Hex(SystemColor::ButtonShadow)},
                           {"stroke-dasharray", "2,2"}});
    }
    svg.Close();
}

void DrawPictureBox(SvgWriter& svg, const PictureBox& picture, const Box& box) {
    FillRect(svg, box, picture.BackColor().ToHex());
    const bool bordered = picture.BorderStyle() == BorderStyle::FixedSingle;
    if (bordered)
        SunkenBorder(svg, box);
    DrawPicture(svg, picture.Picture(), bordered ? Inset(box, 2) : box);
}

void DrawImage(SvgWriter& svg, const Image& image, const Box& box) {
    if (image.BorderStyle() == BorderStyle::FixedSingle) {
        StrokeRect(svg, box, Hex(SystemColor::WindowFrame));
    }
    DrawPicture(svg, image.Picture(), box);
}

void DrawLine(SvgWriter& svg, const Line& line) {
    // The container's offset: where the line's bounds lie on the form, less the bounds.
    const Bounds onForm = line.FormBounds();
    const double dx = static_cast<double>(onForm.left - line.Left()) / kTwipsPerPixel;
    const double dy = static_cast<double>(onForm.top - line.Top()) / kTwipsPerPixel;
    constexpr double px = kTwipsPerPixel;
    svg.Empty("line", {{"x1", N(dx + line.X1() / px)},
                       {"y1", N(dy + line.Y1() / px)},
                       {"x2", N(dx + line.X2() / px)},
                       {"y2", N(dy + line.Y2() / px)},
                       {"stroke", line.BorderColor().ToHex()},
                       {"stroke-width", std::to_string(line.BorderWidth())},
                       {"shape-rendering", "crispEdges"}});
}

void DrawProgressBar(SvgWriter& svg, const ProgressBar& bar, const Box& box) {
    FillRect(svg, box, Hex(SystemColor::ButtonFace));
    SunkenBorder(svg, box);
    const Box inner = Inset(box, 2);
    const Box fill{inner.x, inner.y, inner.w * bar.Fraction(), inner.h};
    svg.Empty("rect", {{"class", "fill"},
                       {"x", N(fill.x)},
                       {"y", N(fill.y)},
                       {"width", N(fill.w)},
                       {"height", N(fill.h)},
                       {"fill", Hex(SystemColor::Highlight)},
                       {"data-value", std::to_string(bar.Value())},
                       {"data-min", std::to_string(bar.Min())},
                       {"data-max", std::to_string(bar.Max())}});
}

void DrawTreeView(SvgWriter& svg, const TreeView& tree, const Box& box) {
    FillRect(svg, box, Hex(SystemColor::WindowBackground));
    SunkenBorder(svg, box);
    const Box inner = Inset(box, 2);
    const std::string clipId = "clip-" + SafeId(tree.Name());
    ClipTo(svg, clipId, inner);
    svg.Open("g", {{"clip-path", "url(#" + clipId + ")"}});
    const Font& font = tree.Font();
    const double row = LinePixels(font) + 3;
    const double indent = static_cast<double>(tree.Indentation()) / kTwipsPerPixel;
    const std::string text =
        tree.Enabled() ? Hex(SystemColor::WindowText) : Hex(SystemColor::GrayText);
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
            svg.Empty("rect", {{"x", N(bx + 0.5)},
                               {"y", N(by + 0.5)},
                               {"width", "8"},
                               {"height", "8"},
                               {"fill", Hex(SystemColor::WindowBackground)},
                               {"stroke", Hex(SystemColor::ButtonShadow)}});
            std::string sign = "M" + N(bx + 2) + "," + N(by + 4.5) + "h5";
            if (!node->Expanded())
                sign += "M" + N(bx + 4.5) + "," + N(by + 2) + "v5";
            svg.Empty("path", {{"d", sign}, {"stroke", text}, {"fill", "none"}});
        }
        const double tx = level + indent + 2;
        const double width = TextMetrics::LineWidthPixels(node->Text(), font);
        std::string color = text;
        if (node->Selected()) {
            FillRect(svg, {tx - 2, y + 1, width + 4, row - 2}, Hex(SystemColor::Highlight));
            color = Hex(SystemColor::HighlightText);
        }
        svg.Text("text",
                 TextAttributes(font, tx, y + (row - LinePixels(font)) / 2 + Ascent(font), color),
                 node->Text());
        svg.Close();
        y += row;
    }
    svg.Close();
}

void DrawListBox(SvgWriter& svg, const ListBox& list, const Box& box) {
    FillRect(svg, box, Hex(SystemColor::WindowBackground));
    SunkenBorder(svg, box);
    Box inner = Inset(box, 2);
    const Font& font = list.Font();
    const bool ticks = list.Style() == ListBoxStyle::Checkbox;
    const double row = LinePixels(font) + (ticks ? 3 : 0);
    const int rows = std::max(1, static_cast<int>(inner.h / row));
    if (list.ListCount() > rows) {
        // A scroll bar takes the right edge; its thumb shows where the top entry lies.
        const Box bar{inner.x + inner.w - 16, inner.y, 16, inner.h};
        inner.w = std::max(0.0, inner.w - 16);
        FillRect(svg, bar, Hex(SystemColor::ScrollBars));
        const double thumb = std::max(8.0, bar.h * rows / list.ListCount());
        const double top =
            bar.y + (bar.h - thumb) * list.TopIndex() / std::max(1, list.ListCount() - rows);
        FillRect(svg, {bar.x, std::min(top, bar.y + bar.h - thumb), bar.w, thumb},
                 Hex(SystemColor::ButtonFace));
        RaisedBorder(svg, {bar.x, std::min(top, bar.y + bar.h - thumb), bar.w, thumb});
    }
    const std::string clipId = "clip-" + SafeId(list.Name());
    ClipTo(svg, clipId, inner);
    svg.Open("g", {{"clip-path", "url(#" + clipId + ")"}});
    const std::string text =
        list.Enabled() ? Hex(SystemColor::WindowText) : Hex(SystemColor::GrayText);
    for (int i = list.TopIndex(); i < list.ListCount() && i < list.TopIndex() + rows + 1; ++i) {
        const double y = inner.y + (i - list.TopIndex()) * row;
        const bool highlighted = i == list.ListIndex();
        Attributes entry = {{"class", "entry"},
                            {"data-index", std::to_string(i)},
                            {"data-highlighted", highlighted ? "true" : "false"}};
        if (ticks)
            entry.emplace_back("data-ticked", list.Selected(i) ? "true" : "false");
        svg.Open("g", entry);
        double tx = inner.x + 2;
        if (ticks) {
            DrawTickBox(svg, inner.x + 1, y + (row - kCheckBoxSize) / 2,
                        list.Selected(i) ? CheckBox::Checked : CheckBox::Unchecked, list.Enabled());
            tx = inner.x + kCheckBoxSize + 4;
        }
        std::string color = text;
        if (highlighted) {
            FillRect(svg, {tx - 1, y, inner.x + inner.w - tx + 1, row},
                     Hex(SystemColor::Highlight));
            color = Hex(SystemColor::HighlightText);
        }
        svg.Text("text",
                 TextAttributes(font, tx, y + (row - LinePixels(font)) / 2 + Ascent(font), color),
                 list.List(i));
        svg.Close();
    }
    svg.Close();
}

bool IsGraphical(const Control& control) {
    return control.Kind() == ControlKind::Label || control.Kind() == ControlKind::Image ||
           control.Kind() == ControlKind::Line;
}

void DrawChildren(SvgWriter& svg, const Container& container);

void DrawControl(SvgWriter& svg, const Control& control) {
    if (!control.Visible())
        return;
    const Box box = PixelBox(control.FormBounds());
    OpenControl(svg, control, box);
    switch (control.Kind()) {
        case ControlKind::Label:
            DrawLabel(svg, static_cast<const Label&>(control), box);
            break;
        case ControlKind::CommandButton:
            DrawButton(svg, static_cast<const CommandButton&>(control), box);
            break;
        case ControlKind::CheckBox:
            DrawCheckBox(svg, static_cast<const CheckBox&>(control), box);
            break;
        case ControlKind::Frame: {
            const auto& frame = static_cast<const Frame&>(control);
            DrawFrame(svg, frame, box);
            DrawChildren(svg, frame);
            break;
        }
        case ControlKind::PictureBox:
            DrawPictureBox(svg, static_cast<const PictureBox&>(control), box);
            break;
        case ControlKind::Image:
            DrawImage(svg, static_cast<const Image&>(control), box);
            break;
        case ControlKind::Line:
            DrawLine(svg, static_cast<const Line&>(control));
            break;
        case ControlKind::TreeView:
            DrawTreeView(svg, static_cast<const TreeView&>(control), box);
            break;
        case ControlKind::ListBox:
            DrawListBox(svg, static_cast<const ListBox&>(control), box);
            break;
        case ControlKind::ProgressBar:
            DrawProgressBar(svg, static_cast<const ProgressBar&>(control), box);
            break;
    }
    svg.Close();
}

void DrawChildren(SvgWriter& svg, const Container& container) {
    for (const Control* child : container.Children()) {
        if (IsGraphical(*child))
            DrawControl(svg, *child);
    }
    for (const Control* child : container.Children()) {
        if (!IsGraphical(*child))
            DrawControl(svg, *child);
    }
}

void DrawTitleBar(SvgWriter& svg, const Form& form, double width) {
    const double frame = form.FramePixels();
    const double height = form.TitleBarPixels() - 1;
    if (height <= 0)
        return;
    const bool active = form.TakesInput() || !form.Visible();
    svg.Open("linearGradient", {{"id", "caption"}});
    svg.Empty("stop", {{"offset", "0"},
                       {"stop-color", active ? Hex(SystemColor::ActiveTitleBar)
                                             : Hex(SystemColor::InactiveTitleBar)}});
    svg.Empty("stop", {{"offset", "1"}, {"stop-color", active ? "#a6caf0" : "#c0c0c0"}});
    svg.Close();
    const Box bar{frame, frame, width - 2 * frame, height};
    svg.Open("g", {{"id", "title-bar"}, {"data-caption", form.Caption()}});
    FillRect(svg, bar, "url(#caption)");
    const bool tool = form.BorderStyle() == FormBorderStyle::FixedToolWindow ||
                      form.BorderStyle() == FormBorderStyle::SizableToolWindow;
    double textX = bar.x + 3;
    if (!tool && !form.Icon().empty()) {
        svg.Open("g", {{"class", "icon"}, {"data-icon", form.Icon()}});
        svg.Text("title", {}, form.Icon());
        const Box icon{bar.x + 2, bar.y + (bar.h - 16) / 2, 16, 16};
        if (const auto pixels = Picture::Load(form.Icon(), 16))
            DrawPixels(svg, *pixels, icon.x, icon.y, icon);
        else
            FillRect(svg, icon, "#ffffff");
        svg.Close();
        textX += 18;
    }
    Font captionFont = form.Font();
    captionFont.bold = true;
    svg.Text(
        "text",
        TextAttributes(
            captionFont, textX, bar.y + (bar.h - LinePixels(captionFont)) / 2 + Ascent(captionFont),
            active ? Hex(SystemColor::TitleBarText) : Hex(SystemColor::InactiveCaptionText)),
        form.Caption());
    if (form.ControlBox()) {
        const double bw = tool ? 13 : 16;
        const double bh = tool ? 11 : 14;
        const Box close{bar.x + bar.w - bw - 2, bar.y + (bar.h - bh) / 2, bw, bh};
        svg.Open("g", {{"class", "close-box"}});
        FillRect(svg, close, Hex(SystemColor::ButtonFace));
        RaisedBorder(svg, close);
        const Box cross = Inset(close, 4);
        svg.Empty("path", {{"d", "M" + N(cross.x) + "," + N(cross.y) + "L" + N(cross.x + cross.w) +
                                     "," + N(cross.y + cross.h) + "M" + N(cross.x + cross.w) + "," +
                                     N(cross.y) + "L" + N(cross.x) + "," + N(cross.y + cross.h)},
                           {"stroke", Hex(SystemColor::ButtonText)},
                           {"stroke-width", "1.5"}});
        svg.Close();
    }
    svg.Close();
}

}  // namespace

std::string SvgRenderer::Render(const Form& form) {
    const Bounds window = form.WindowBounds();
    const double width = static_cast<double>(window.width) / kTwipsPerPixel;
    const double height = static_cast<double>(window.height) / kTwipsPerPixel;
    const double frame = form.FramePixels();
    const double title = form.TitleBarPixels();

    SvgWriter svg;
    svg.Open("svg", {{"xmlns", "http://www.w3.org/2000/svg"},
                     {"width", N(width)},
                     {"height", N(height)},
                     {"viewBox", "0 0 " + N(width) + " " + N(height)},
                     {"data-form", form.Name()},
                     {"data-caption", form.Caption()},
                     {"data-mouse-pointer", std::to_string(static_cast<int>(form.MousePointer()))},
                     {"data-loaded", form.IsLoaded() ? "true" : "false"},
                     {"data-visible", form.Visible() ? "true" : "false"}});
    FillRect(svg, {0, 0, width, height}, Hex(SystemColor::ButtonFace));
    if (frame > 0)
        RaisedBorder(svg, {0, 0, width, height});
    DrawTitleBar(svg, form, width);

    const Box client{0, 0, static_cast<double>(form.ClientWidth()) / kTwipsPerPixel,
                     static_cast<double>(form.ClientHeight()) / kTwipsPerPixel};
    svg.Open("g", {{"id", "client"},
                   {"transform", "translate(" + N(frame) + "," + N(frame + title) + ")"},
                   {"data-width", N(client.w)},
                   {"data-height", N(client.h)}});
    FillRect(svg, client, form.BackColor().ToHex());
    DrawChildren(svg, form);
    svg.Close();
    return svg.Finish();
}

void SvgRenderer::RenderToFile(const Form& form, const std::filesystem::path& path) {
    const std::string document = Render(form);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
    out << document;
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

}  // namespace telvane::forms
