#pragma once

namespace telvane::forms {

// A rectangle in twips (1/1440 inch; 15 twips make one pixel at 96 dpi), relative to the
// container that holds the control.
struct Bounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const Bounds&, const Bounds&) = default;
};

// Twips in one pixel at the 96 dpi the layouts were designed for.
inline constexpr int kTwipsPerPixel = 15;

}  // namespace telvane::forms
