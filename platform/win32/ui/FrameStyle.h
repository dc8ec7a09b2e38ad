#pragma once

#include <windows.h>

namespace telvane::forms {
class Form;
}

namespace telvane::win32 {

// The window styles of a form's frame, from its border style and control box; an embedded
// form (the options tab) is a child window.
struct FrameStyle {
    DWORD style;
    DWORD extended;

    static FrameStyle Of(const forms::Form& form, bool embedded);
};

}  // namespace telvane::win32
