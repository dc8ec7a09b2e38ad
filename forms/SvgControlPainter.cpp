#include "forms/SvgControlPainter.h"

#include <algorithm>
#include <optional>
#include <string>

#include "forms/CheckBox.h"
#include "forms/Color.h"
#include "forms/CommandButton.h"
#include "forms/Frame.h"
#include "forms/Image.h"
#include "forms/Label.h"
#include "forms/Line.h"
#include "forms/Mnemonic.h"
#include "forms/Picture.h"
#include "forms/PictureBox.h"
#include "forms/ProgressBar.h"
#include "forms/SvgPen.h"
#include "forms/TextMetrics.h"

namespace telvane::forms {

void SvgControlPainter::DrawLabel(SvgWriter& svg, const Label& label, const SvgBox& box) {
    if (label.BackStyle() == BackStyle::Opaque)
        SvgPen::FillRect(svg, box, label.BackColor().ToHex());
    const bool bordered = label.BorderStyle() == BorderStyle::FixedSingle;
    if (bordered)
        SvgPen::SunkenBorder(svg, box);
    const SvgBox inner = bordered ? SvgPen::Inset(box, 2) : box;
    // A label that sized itself to its caption is not clipped: a viewer's substitute font may
    // be wider than the Tahoma it was measured for.
    const bool clipped = !label.AutoSize() || label.WordWrap();
    const std::string clipId = "clip-" + SvgPen::SafeId(label.Name());
    if (clipped)
        SvgPen::ClipTo(svg, clipId, inner);

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
        label.Enabled() ? label.ForeColor().ToHex() : SvgPen::Hex(SystemColor::GrayText);
    svg.Open("g", clipped ? SvgPen::Attributes{{"clip-path", "url(#" + clipId + ")"}}
                          : SvgPen::Attributes{});
    double baseline = inner.y + SvgPen::Ascent(label.Font());
    for (const auto& line : lines) {
        const bool underline = mnemonic && lines.size() == 1;
        SvgPen::Attributes attributes =
            SvgPen::TextAttributes(label.Font(), x, baseline, color, anchor);
        // A line of a label with a fixed box keeps the width it was wrapped to, in whatever font
        // the viewer substitutes for Tahoma, so it stays inside the box as in the real window.
        const double width = TextMetrics::LineWidthPixels(line, label.Font());
        if (clipped && width > 0) {
            attributes.emplace_back("textLength", SvgPen::N(width));
            attributes.emplace_back("lengthAdjust", "spacing");
        }
        svg.TextRuns(attributes,
                     SvgPen::CaptionRuns(line, underline ? parsed.UnderlineAt() : std::nullopt));
        baseline += SvgPen::LinePixels(label.Font());
    }
    svg.Close();
}

void SvgControlPainter::DrawButton(SvgWriter& svg, const CommandButton& button, const SvgBox& box) {
    SvgPen::FillRect(svg, box, SvgPen::Hex(SystemColor::ButtonFace));
    const bool outlined = button.Default() || button.HasFocus();
    if (outlined)
        SvgPen::StrokeRect(svg, box, SvgPen::Hex(SystemColor::WindowFrame));
    SvgPen::RaisedBorder(svg, outlined ? SvgPen::Inset(box, 1) : box);
    SvgPen::CaptionLine(svg, button.Font(), box, button.Caption(), true, button.Enabled(),
                        SvgPen::Hex(SystemColor::ButtonText), "middle");
}

void SvgControlPainter::DrawCheckBox(SvgWriter& svg, const CheckBox& check, const SvgBox& box) {
    SvgPen::FillRect(svg, box, check.BackColor().ToHex());
    const double boxY = box.y + (box.h - SvgPen::kCheckBoxSize) / 2;
    svg.Open("g", {{"class", "box"}, {"data-value", std::to_string(check.Value())}});
    SvgPen::DrawTickBox(svg, box.x, boxY, check.Value(), check.Enabled());
    svg.Close();
    const SvgBox text{box.x + SvgPen::kCheckBoxSize + 4, box.y,
                      std::max(0.0, box.w - SvgPen::kCheckBoxSize - 4), box.h};
    SvgPen::CaptionLine(svg, check.Font(), text, check.Caption(), true, check.Enabled(),
                        SvgPen::Hex(SystemColor::ButtonText), "start");
}

void SvgControlPainter::DrawFrame(SvgWriter& svg, const Frame& frame, const SvgBox& box) {
    SvgPen::FillRect(svg, box, SvgPen::Hex(SystemColor::ButtonFace));
    const double half = SvgPen::LinePixels(frame.Font()) / 2;
    if (frame.BorderStyle() == BorderStyle::FixedSingle) {
        const SvgBox etch{box.x, box.y + half, box.w - 1, box.h - half - 1};
        SvgPen::StrokeRect(svg, etch, SvgPen::Hex(SystemColor::ButtonShadow));
        SvgPen::StrokeRect(svg, {etch.x + 1, etch.y + 1, etch.w, etch.h},
                           SvgPen::Hex(SystemColor::ButtonHighlight));
    }
    if (!frame.Caption().empty()) {
        const std::string text = Mnemonic::Parse(frame.Caption()).DisplayText();
        const double width = TextMetrics::LineWidthPixels(text, frame.Font());
        const SvgBox caption{box.x + 8, box.y, width + 4, SvgPen::LinePixels(frame.Font())};
        SvgPen::FillRect(svg, caption, SvgPen::Hex(SystemColor::ButtonFace));
        SvgPen::CaptionLine(svg, frame.Font(), {caption.x + 2, caption.y, width, caption.h},
                            frame.Caption(), true, frame.Enabled(),
                            SvgPen::Hex(SystemColor::ButtonText), "start");
    }
}

void SvgControlPainter::DrawPicture(SvgWriter& svg, const std::string& picture, const SvgBox& box) {
    if (picture.empty())
        return;
    svg.Open("g", {{"class", "picture"}, {"data-picture", picture}});
    svg.Text("title", {}, picture);
    if (const auto pixels = Picture::Load(picture, 32)) {
        SvgPen::DrawPixels(svg, *pixels, box.x, box.y, box);
    } else {
        svg.Empty("rect", {{"x", SvgPen::N(box.x + 0.5)},
                           {"y", SvgPen::N(box.y + 0.5)},
                           {"width", SvgPen::N(std::max(0.0, box.w - 1))},
                           {"height", SvgPen::N(std::max(0.0, box.h - 1))},
                           {"fill", "none"},
                           {"stroke", SvgPen::Hex(SystemColor::ButtonShadow)},
                           {"stroke-dasharray", "2,2"}});
    }
    svg.Close();
}

void SvgControlPainter::DrawPictureBox(SvgWriter& svg, const PictureBox& picture,
                                       const SvgBox& box) {
    SvgPen::FillRect(svg, box, picture.BackColor().ToHex());
    const bool bordered = picture.BorderStyle() == BorderStyle::FixedSingle;
    if (bordered)
        SvgPen::SunkenBorder(svg, box);
    DrawPicture(svg, picture.Picture(), bordered ? SvgPen::Inset(box, 2) : box);
}

void SvgControlPainter::DrawImage(SvgWriter& svg, const Image& image, const SvgBox& box) {
    if (image.BorderStyle() == BorderStyle::FixedSingle) {
        SvgPen::StrokeRect(svg, box, SvgPen::Hex(SystemColor::WindowFrame));
    }
    DrawPicture(svg, image.Picture(), box);
}

void SvgControlPainter::DrawLine(SvgWriter& svg, const Line& line) {
    // The container's offset: where the line's bounds lie on the form, less the bounds.
    const Bounds onForm = line.FormBounds();
    const double dx = static_cast<double>(onForm.left - line.Left()) / kTwipsPerPixel;
    const double dy = static_cast<double>(onForm.top - line.Top()) / kTwipsPerPixel;
    constexpr double px = kTwipsPerPixel;
    svg.Empty("line", {{"x1", SvgPen::N(dx + line.X1() / px)},
                       {"y1", SvgPen::N(dy + line.Y1() / px)},
                       {"x2", SvgPen::N(dx + line.X2() / px)},
                       {"y2", SvgPen::N(dy + line.Y2() / px)},
                       {"stroke", line.BorderColor().ToHex()},
                       {"stroke-width", std::to_string(line.BorderWidth())},
                       {"shape-rendering", "crispEdges"}});
}

void SvgControlPainter::DrawProgressBar(SvgWriter& svg, const ProgressBar& bar, const SvgBox& box) {
    SvgPen::FillRect(svg, box, SvgPen::Hex(SystemColor::ButtonFace));
    SvgPen::SunkenBorder(svg, box);
    const SvgBox inner = SvgPen::Inset(box, 2);
    const SvgBox fill{inner.x, inner.y, inner.w * bar.Fraction(), inner.h};
    svg.Empty("rect", {{"class", "fill"},
                       {"x", SvgPen::N(fill.x)},
                       {"y", SvgPen::N(fill.y)},
                       {"width", SvgPen::N(fill.w)},
                       {"height", SvgPen::N(fill.h)},
                       {"fill", SvgPen::Hex(SystemColor::Highlight)},
                       {"data-value", std::to_string(bar.Value())},
                       {"data-min", std::to_string(bar.Min())},
                       {"data-max", std::to_string(bar.Max())}});
}

}  // namespace telvane::forms
