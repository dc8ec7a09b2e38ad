#pragma once

#include <string>

#include "forms/SvgBox.h"
#include "forms/SvgWriter.h"

namespace telvane::forms {

struct Font;
class ListBox;
class TreeView;

// Draws the controls that show rows: a tree's shown nodes and a list's entries from its top
// index, each row a <g> of its own, clipped to the control's inner box.
class SvgListPainter {
public:
    static void DrawTreeView(SvgWriter& svg, const TreeView& tree, const SvgBox& box);
    static void DrawListBox(SvgWriter& svg, const ListBox& list, const SvgBox& box);

private:
    // A row's text at x, centred in the row at y, on the highlight's box when highlighted.
    static void RowText(SvgWriter& svg, const Font& font, const SvgBox& highlight, bool highlighted,
                        double x, double y, double row, const std::string& color,
                        const std::string& text);
};

}  // namespace telvane::forms
