#pragma once

namespace telvane::forms {

// The indexes of the Windows system colours (GetSysColor), as the design tools name them.
enum class SystemColor : int {
    ScrollBars = 0,
    Desktop = 1,
    ActiveTitleBar = 2,
    InactiveTitleBar = 3,
    MenuBar = 4,
    WindowBackground = 5,
    WindowFrame = 6,
    MenuText = 7,
    WindowText = 8,
    TitleBarText = 9,
    ActiveBorder = 10,
    InactiveBorder = 11,
    ApplicationWorkspace = 12,
    Highlight = 13,
    HighlightText = 14,
    ButtonFace = 15,
    ButtonShadow = 16,
    GrayText = 17,
    ButtonText = 18,
    InactiveCaptionText = 19,
    ButtonHighlight = 20,
    DarkShadow3D = 21,
    Light3D = 22,
    InfoText = 23,
    InfoBackground = 24,
};

}  // namespace telvane::forms
