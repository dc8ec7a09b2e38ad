#pragma once

#include "forms/SvgBox.h"
#include "forms/SvgWriter.h"

namespace telvane::forms {

class ListBox;
class TreeView;

// Draws the controls that show rows: a tree's shown nodes and a list's entries from its top
// index, each row a <g> of its own, clipped to the control's inner box.
class SvgListPainter {
public:
    static void DrawTreeView(SvgWriter& svg, const TreeView& tree, const SvgBox& box);
    static void DrawListBox(SvgWriter& svg, const ListBox& list, const SvgBox& box);
};

}  // namespace telvane::forms
