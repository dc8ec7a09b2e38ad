#pragma once

namespace telvane::forms {

// What changed on a form or control, so that a native peer can follow the model. The
// headless host ignores these.
enum class Property {
    Caption,
    Bounds,
    Visible,
    Enabled,
    Font,
    Colors,
    Appearance,  // border, alignment, wrapping, style
    Value,       // check box value, progress position
    Range,       // progress minimum and maximum
    Items,       // list entries or tree nodes added, removed or changed
    Selection,   // highlighted list entry or selected node
    Focus,
    TabOrder,
    Picture,
    Icon,
    MousePointer,
};

}  // namespace telvane::forms
