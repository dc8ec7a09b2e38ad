#include "forms/SvgPen.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "forms/CheckBox.h"
#include "forms/Color.h"
#include "forms/Mnemonic.h"
#include "forms/Picture.h"
#include "forms/TextMetrics.h"

namespace telvane::forms {

namespace {

// Tahoma, whose widths the text metrics estimate, then faces no wider than it, so that a viewer
// without Tahoma still keeps each caption inside the box it was measured for.
constexpr const char* kFontFamily = "Tahoma, Arial, Liberation Sans, sans-serif";

}  // namespace

std::string SvgPen::N(double value) {
    return SvgWriter::Number(value);
}
std::string SvgPen::Hex(SystemColor color) {
    return Color::System(color).ToHex();
}

SvgBox SvgPen::PixelBox(const Bounds& b) {
    constexpr double px = kTwipsPerPixel;
    return {b.left / px, b.top / px, b.width / px, b.height / px};
}

SvgBox SvgPen::Inset(const SvgBox& box, double by) {
    return {box.x + by, box.y + by, std::max(0.0, box.w - 2 * by), std::max(0.0, box.h - 2 * by)};
}

std::string SvgPen::SafeId(std::string_view name) {
    std::string id;
    for (char c : name) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || c == '_' || c == '-';
        id += plain ? c : '_';
    }
    return id;
}

double SvgPen::FontPixels(const Font& font) {
    return font.size * 96.0 / 72.0;
}
double SvgPen::LinePixels(const Font& font) {
    return TextMetrics::LineHeightPixels(font);
}
double SvgPen::Ascent(const Font& font) {
    return LinePixels(font) * 11.0 / 13.0;
}

SvgPen::Attributes SvgPen::TextAttributes(const Font& font, double x, double baseline,
                                          const std::string& fill, const char* anchor) {
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

void SvgPen::FillRect(SvgWriter& svg, const SvgBox& box, const std::string& fill) {
    svg.Empty("rect", {{"x", N(box.x)},
                       {"y", N(box.y)},
                       {"width", N(box.w)},
                       {"height", N(box.h)},
                       {"fill", fill}});
}

void SvgPen::StrokeRect(SvgWriter& svg, const SvgBox& box, const std::string& stroke) {
    svg.Empty("rect", {{"x", N(box.x + 0.5)},
                       {"y", N(box.y + 0.5)},
                       {"width", N(std::max(0.0, box.w - 1))},
                       {"height", N(std::max(0.0, box.h - 1))},
                       {"fill", "none"},
                       {"stroke", stroke}});
}

// One-pixel edges: `topLeft` along the top and left, `bottomRight` along the other two.
void SvgPen::Edge(SvgWriter& svg, const SvgBox& box, const std::string& topLeft,
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

void SvgPen::SunkenBorder(SvgWriter& svg, const SvgBox& box) {
    Edge(svg, box, Hex(SystemColor::ButtonShadow), Hex(SystemColor::ButtonHighlight));
    Edge(svg, Inset(box, 1), Hex(SystemColor::DarkShadow3D), Hex(SystemColor::Light3D));
}

void SvgPen::RaisedBorder(SvgWriter& svg, const SvgBox& box) {
    Edge(svg, box, Hex(SystemColor::Light3D), Hex(SystemColor::DarkShadow3D));
    Edge(svg, Inset(box, 1), Hex(SystemColor::ButtonHighlight), Hex(SystemColor::ButtonShadow));
}

void SvgPen::ClipTo(SvgWriter& svg, const std::string& id, const SvgBox& box) {
    svg.Open("clipPath", {{"id", id}});
    FillRect(svg, box, "#000000");
    svg.Close();
}

// The runs of a caption line, with the access key's character underlined.
SvgPen::Runs SvgPen::CaptionRuns(const std::string& text, std::optional<std::size_t> underline) {
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
void SvgPen::CaptionLine(SvgWriter& svg, const Font& font, const SvgBox& box,
                         const std::string& caption, bool mnemonic, bool enabled,
                         const std::string& color, const char* anchor) {
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

void SvgPen::DrawTick(SvgWriter& svg, double x, double y, const std::string& color) {
    svg.Empty("polyline", {{"points", N(x + 3) + "," + N(y + 6) + " " + N(x + 5) + "," + N(y + 8) +
                                          " " + N(x + 9) + "," + N(y + 4)},
                           {"fill", "none"},
                           {"stroke", color},
                           {"stroke-width", "2"},
                           {"class", "tick"}});
}

void SvgPen::DrawTickBox(SvgWriter& svg, double x, double y, int value, bool enabled) {
    const SvgBox box{x, y, kCheckBoxSize, kCheckBoxSize};
    const bool greyed = value == CheckBox::Grayed || !enabled;
    FillRect(svg, box, greyed ? Hex(SystemColor::ButtonFace) : Hex(SystemColor::WindowBackground));
    SunkenBorder(svg, box);
    if (value != CheckBox::Unchecked) {
        DrawTick(svg, x, y,
                 value == CheckBox::Grayed || !enabled ? Hex(SystemColor::GrayText)
                                                       : Hex(SystemColor::WindowText));
    }
}

// The picture's pixels, a run of one colour per rectangle, clipped to the box.
void SvgPen::DrawPixels(SvgWriter& svg, const Picture& picture, double left, double top,
                        const SvgBox& box) {
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

}  // namespace telvane::forms
