#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "forms/Bounds.h"
#include "forms/Font.h"
#include "forms/SvgBox.h"
#include "forms/SvgWriter.h"
#include "forms/SystemColor.h"

namespace telvane::forms {

class Picture;

// The strokes every drawing of a control is made of: rectangles, the system's 3-D edges, text
// in the model's font metrics, tick boxes and pictures' pixels, at 1 pixel per 15 twips.
class SvgPen {
public:
    using Attributes = SvgWriter::Attributes;
    using Runs = std::vector<std::pair<std::string, bool>>;

    static constexpr double kCheckBoxSize = 13.0;

    static std::string N(double value);
    static std::string Hex(SystemColor color);
    static SvgBox PixelBox(const Bounds& b);
    static SvgBox Inset(const SvgBox& box, double by);
    // An XML id made of the name's plain characters.
    static std::string SafeId(std::string_view name);

    static double FontPixels(const Font& font);
    static double LinePixels(const Font& font);
    static double Ascent(const Font& font);
    static Attributes TextAttributes(const Font& font, double x, double baseline,
                                     const std::string& fill, const char* anchor = "start");

    static void FillRect(SvgWriter& svg, const SvgBox& box, const std::string& fill);
    static void StrokeRect(SvgWriter& svg, const SvgBox& box, const std::string& stroke);
    // One-pixel edges: `topLeft` along the top and left, `bottomRight` along the other two.
    static void Edge(SvgWriter& svg, const SvgBox& box, const std::string& topLeft,
                     const std::string& bottomRight);
    static void SunkenBorder(SvgWriter& svg, const SvgBox& box);
    static void RaisedBorder(SvgWriter& svg, const SvgBox& box);
    static void ClipTo(SvgWriter& svg, const std::string& id, const SvgBox& box);

    // The runs of a caption line, with the access key's character underlined.
    static Runs CaptionRuns(const std::string& text, std::optional<std::size_t> underline);
    // A caption drawn in one line, centred vertically in `box`; disabled text is embossed.
    static void CaptionLine(SvgWriter& svg, const Font& font, const SvgBox& box,
                            const std::string& caption, bool mnemonic, bool enabled,
                            const std::string& color, const char* anchor);

    static void DrawTick(SvgWriter& svg, double x, double y, const std::string& color);
    static void DrawTickBox(SvgWriter& svg, double x, double y, int value, bool enabled);
    // The picture's pixels, a run of one colour per rectangle, clipped to the box.
    static void DrawPixels(SvgWriter& svg, const Picture& picture, double left, double top,
                           const SvgBox& box);
};

}  // namespace telvane::forms
