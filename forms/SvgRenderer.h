#pragma once

#include <filesystem>
#include <string>

namespace telvane::forms {

class Form;

// Draws a form of the model, as it stands at that moment, as an SVG image at 1 pixel per 15
// twips: the window frame with its title bar, then every visible control in z-order (in each
// container, labels, images and lines under the other controls, as Windows paints them).
// Each control is a <g> whose data-name, data-kind and data-left/top/width/height (pixels,
// relative to the client area) and data-twips ("left top width height", relative to the
// client area) give its place; tree nodes and list entries are <g> elements of their own.
class SvgRenderer {
public:
    static std::string Render(const Form& form);
    // Writes Render(form) to a file; throws std::runtime_error when the file cannot be written.
    static void RenderToFile(const Form& form, const std::filesystem::path& path);
};

}  // namespace telvane::forms
