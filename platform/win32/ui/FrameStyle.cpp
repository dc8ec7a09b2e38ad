// Product headers come before <windows.h>, whose macros share their names.
#include "forms/Form.h"

#include "platform/win32/ui/FrameStyle.h"

namespace telvane::win32 {

FrameStyle FrameStyle::Of(const forms::Form& form, bool embedded) {
    if (embedded)
        return {WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT};
    const DWORD menu = form.ControlBox() ? WS_SYSMENU : 0;
    switch (form.BorderStyle()) {
        case forms::FormBorderStyle::None:
            return {WS_POPUP | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
        case forms::FormBorderStyle::FixedSingle:
            return {WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN | menu | WS_MINIMIZEBOX,
                    WS_EX_CONTROLPARENT};
        case forms::FormBorderStyle::FixedDialog:
            return {WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN | menu,
                    WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT};
        case forms::FormBorderStyle::FixedToolWindow:
            return {WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN | menu,
                    WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT};
        case forms::FormBorderStyle::SizableToolWindow:
            return {WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_CLIPCHILDREN | menu,
                    WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT};
        case forms::FormBorderStyle::Sizable:
            break;
    }
    return {WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
}

}  // namespace telvane::win32
