#pragma once

#include <string>

namespace telvane::forms {

// The font of a form or control. Every window of the product uses Tahoma 8.25 pt.
struct Font {
    std::string name = "Tahoma";
    double size = 8.25;  // points
    bool bold = false;

    // Character height in pixels at 96 dpi, as Windows rounds it.
    int PixelHeight() const { return static_cast<int>(size * 96.0 / 72.0 + 0.5); }

    friend bool operator==(const Font&, const Font&) = default;
};

}  // namespace telvane::forms
