#include "forms/TextMetrics.h"

#include <array>
#include <cmath>

#include "forms/Bounds.h"

namespace telvane::forms {

namespace {

// Advance widths in pixels of Tahoma at 11 pixels (8.25 pt), characters 32 to 126.
constexpr std::array<unsigned char, 95> kTahomaWidths = {
    3,  3, 4, 8, 6, 10, 7, 2,  4, 4, 6, 7, 3, 4, 3, 4,  // space to /
    6,  6, 6, 6, 6, 6,  6, 6,  6, 6, 3, 3, 7, 7, 7, 5,  // 0 to ?
    10, 6, 6, 6, 7, 6,  5, 7,  7, 4, 4, 6, 5, 8, 7, 7,  // @ to O
    6,  7, 6, 6, 6, 7,  6, 10, 6, 6, 6, 4, 4, 4, 7, 6,  // P to _
    6,  5, 6, 5, 6, 6,  3, 6,  6, 2, 3, 5, 2, 8, 6, 6,  // ` to o
    6,  6, 4, 5, 4, 6,  5, 8,  5, 5, 5, 5, 4, 5, 7,     // p to ~
};
constexpr double kDesignPixels = 11.0;
constexpr double kBoldWidening = 1.12;
constexpr double kOtherCharacterWidth = 6.0;

double EmPixels(const Font& font) {
    return font.size * 96.0 / 72.0;
}

}  // namespace

double TextMetrics::LineWidthPixels(std::string_view text, const Font& font) {
    double width = 0.0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 32 && c < 127) {
            width += kTahomaWidths[c - 32];
        } else if (c >= 0xC0 || c == '\t') {
            // The lead byte of a multi-byte character (continuation bytes add nothing).
            width += kOtherCharacterWidth;
        }
    }
    width *= EmPixels(font) / kDesignPixels;
    if (font.bold)
        width *= kBoldWidening;
    return width;
}

int TextMetrics::LineWidthTwips(std::string_view text, const Font& font) {
    return static_cast<int>(std::ceil(LineWidthPixels(text, font))) * kTwipsPerPixel;
}

int TextMetrics::LineHeightPixels(const Font& font) {
    return static_cast<int>(std::lround(EmPixels(font) * 13.0 / kDesignPixels));
}

int TextMetrics::LineHeightTwips(const Font& font) {
    return LineHeightPixels(font) * kTwipsPerPixel;
}

std::vector<std::string> TextMetrics::WrapLines(std::string_view text, const Font& font,
                                                int widthTwips) {
    std::vector<std::string> lines;
    const double limit = static_cast<double>(widthTwips) / kTwipsPerPixel;
    std::size_t start = 0;
    while (true) {
        std::size_t end = text.find('\n', start);
        std::string_view paragraph = text.substr(
            start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (!paragraph.empty() && paragraph.back() == '\r')
            paragraph.remove_suffix(1);

        if (widthTwips <= 0) {
            lines.emplace_back(paragraph);
        } else {
            std::string line;
            std::size_t pos = 0;
            bool any = false;
            while (pos <= paragraph.size()) {
                std::size_t blank = paragraph.find(' ', pos);
                if (blank == std::string_view::npos)
                    blank = paragraph.size();
                const std::string_view word = paragraph.substr(pos, blank - pos);
                std::string candidate = line;
                if (any)
                    candidate += ' ';
                candidate += word;
                if (any && LineWidthPixels(candidate, font) > limit) {
                    lines.push_back(line);
                    line = std::string(word);
                } else {
                    line = std::move(candidate);
                }
                any = true;
                pos = blank + 1;
            }
            lines.push_back(line);
        }
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    return lines;
}

}  // namespace telvane::forms
