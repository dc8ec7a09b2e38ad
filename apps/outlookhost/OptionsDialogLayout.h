#pragma once

#include <windows.h>

namespace telvane::outlookhost {

// Where the stand-in Options dialog's parts lie in its client area, in pixels: shared with the
// picture taker, which shows the options tab at the size the dialog gives it.
class OptionsDialogLayout {
public:
    static constexpr int ClientWidth = 400;
    static constexpr int ClientHeight = 456;
    static constexpr int Margin = 7;
    static constexpr int ButtonWidth = 75;
    static constexpr int ButtonHeight = 23;
    static constexpr int ButtonsTop() { return ClientHeight - Margin - ButtonHeight; }
    // The tab strip; the pages fill its display area.
    static constexpr RECT TabStripRect() {
        return {Margin, Margin, ClientWidth - Margin, ButtonsTop() - Margin};
    }
};

}  // namespace telvane::outlookhost
