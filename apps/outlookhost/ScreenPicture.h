#pragma once

#include <windows.h>

#include <string>

namespace telvane::outlookhost {

// A picture of part of the screen, as the user sees it there, written as a 24-bit BMP file.
class ScreenPicture {
public:
    // Paints every shown top-level window of this thread, frames and children, now.
    static void RedrawShownWindows();
    // The smallest rectangle holding every shown top-level window of this thread.
    static RECT ShownWindows();
    // Throws std::runtime_error when the picture cannot be taken or written.
    static void Save(const RECT& area, const std::wstring& path);
};

}  // namespace telvane::outlookhost
