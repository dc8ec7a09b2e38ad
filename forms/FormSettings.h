#pragma once

namespace telvane::forms {

// Window frame of a form; values as the form designer stores them.
enum class FormBorderStyle {
    None = 0,
    FixedSingle = 1,
    Sizable = 2,
    FixedDialog = 3,
    FixedToolWindow = 4,
    SizableToolWindow = 5,
};

// Where a form appears when it is shown.
enum class StartUpPosition {
    Manual = 0,
    CenterOwner = 1,
    CenterScreen = 2,
    WindowsDefault = 3,
};

// The pointer shown over a form; only the two the product uses are named.
enum class MousePointer {
    Default = 0,
    Hourglass = 11,
};

// Why a form is being unloaded, as Form_QueryUnload receives it.
enum class UnloadMode {
    ControlMenu = 0,  // the title bar's close box
    Code = 1,         // Unload called by code
    AppWindows = 2,
    TaskManager = 3,
    MdiForm = 4,
    Owner = 5,
};

}  // namespace telvane::forms
