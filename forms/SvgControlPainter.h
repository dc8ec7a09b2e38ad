#pragma once

#include <string>

#include "forms/SvgBox.h"
#include "forms/SvgWriter.h"

namespace telvane::forms {

class CheckBox;
class CommandButton;
class Frame;
class Image;
class Label;
class Line;
class PictureBox;
class ProgressBar;

// Draws one control of the simple kinds in its box, as the real windows paint it: an opaque
// label covers what lies behind it, a word-wrapping one wraps inside its box.
class SvgControlPainter {
public:
    static void DrawLabel(SvgWriter& svg, const Label& label, const SvgBox& box);
    static void DrawButton(SvgWriter& svg, const CommandButton& button, const SvgBox& box);
    static void DrawCheckBox(SvgWriter& svg, const CheckBox& check, const SvgBox& box);
    // The frame's background, edge and caption; its children are drawn by the renderer.
    static void DrawFrame(SvgWriter& svg, const Frame& frame, const SvgBox& box);
    static void DrawPicture(SvgWriter& svg, const std::string& picture, const SvgBox& box);
    static void DrawPictureBox(SvgWriter& svg, const PictureBox& picture, const SvgBox& box);
    static void DrawImage(SvgWriter& svg, const Image& image, const SvgBox& box);
    static void DrawLine(SvgWriter& svg, const Line& line);
    static void DrawProgressBar(SvgWriter& svg, const ProgressBar& bar, const SvgBox& box);
};

}  // namespace telvane::forms
