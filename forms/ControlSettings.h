#pragma once

namespace telvane::forms {

// The kinds of control of the model; the renderer and a native host switch on it.
enum class ControlKind {
    Label,
    CommandButton,
    CheckBox,
    Frame,
    PictureBox,
    Image,
    Line,
    TreeView,
    ListBox,
    ProgressBar,
};

// Horizontal placement of a caption.
enum class Alignment {
    LeftJustify = 0,
    RightJustify = 1,
    Center = 2,
};

// Border of labels, frames, picture boxes and images.
enum class BorderStyle {
    None = 0,
    FixedSingle = 1,
};

// Whether a label paints its background.
enum class BackStyle {
    Transparent = 0,
    Opaque = 1,
};

// Where Nodes.Add places a node relative to another one.
enum class TreeRelationship {
    First = 0,
    Last = 1,
    Next = 2,
    Previous = 3,
    Child = 4,
};

// A plain list, or one with a check box in front of each entry (Selected is then the tick).
enum class ListBoxStyle {
    Standard = 0,
    Checkbox = 1,
};

}  // namespace telvane::forms
