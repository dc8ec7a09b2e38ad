#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "forms/Font.h"

namespace telvane::forms {

// Text measurement without a display: an estimate from Tahoma's advance widths at 96 dpi,
// scaled to the font's size. Close enough for labels that size themselves and for drawing;
// the native host measures for real.
class TextMetrics {
public:
    // Width of one line of text (UTF-8) in pixels.
    static double LineWidthPixels(std::string_view text, const Font& font);
    // The same in twips, rounded up as a label sizing itself would.
    static int LineWidthTwips(std::string_view text, const Font& font);
    // Height of one line of text in twips (195 for Tahoma 8.25 pt).
    static int LineHeightTwips(const Font& font);
    // Height of one line in pixels (13 for Tahoma 8.25 pt).
    static int LineHeightPixels(const Font& font);

    // Splits text at its line breaks ("\n", "\r\n") and, when widthTwips > 0, between words so
    // that each line fits the width. A word wider than the width stands on a line of its own.
    static std::vector<std::string> WrapLines(std::string_view text, const Font& font,
                                              int widthTwips);
};

}  // namespace telvane::forms
