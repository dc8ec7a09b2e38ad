#pragma once

namespace telvane::forms {

// A rectangle in pixels of a form's client area, as the SVG drawings use it.
struct SvgBox {
    double x;
    double y;
    double w;
    double h;
};

}  // namespace telvane::forms
