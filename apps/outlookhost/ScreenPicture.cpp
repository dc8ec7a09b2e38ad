#include "apps/outlookhost/ScreenPicture.h"

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <vector>

namespace telvane::outlookhost {
namespace {

struct CloseFile {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// The screen's device context, the memory one drawn into and its bitmap, released in order.
class Capture {
public:
    Capture(int width, int height)
        : m_screen(::GetDC(nullptr)),
          m_memory(::CreateCompatibleDC(m_screen)),
          m_bitmap(::CreateCompatibleBitmap(m_screen, width, height)) {
        m_old = ::SelectObject(m_memory, m_bitmap);
    }
    Capture(const Capture&) = delete;
    Capture& operator=(const Capture&) = delete;
    ~Capture() {
        ::SelectObject(m_memory, m_old);
        ::DeleteObject(m_bitmap);
        ::DeleteDC(m_memory);
        ::ReleaseDC(nullptr, m_screen);
    }
    HDC Screen() const { return m_screen; }
    HDC Memory() const { return m_memory; }
    HBITMAP Bitmap() const { return m_bitmap; }

private:
    HDC m_screen;
    HDC m_memory;
    HBITMAP m_bitmap;
    HGDIOBJ m_old = nullptr;
};

}  // namespace

void ScreenPicture::RedrawShownWindows() {
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM) CALLBACK -> BOOL {
            if (::IsWindowVisible(window)) {
                ::RedrawWindow(
                    window, nullptr, nullptr,
                    RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
            }
            return TRUE;
        },
        0);
}

RECT ScreenPicture::ShownWindows() {
    RECT all = {};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM context) CALLBACK -> BOOL {
            RECT bounds;
            if (::IsWindowVisible(window) && ::GetWindowRect(window, &bounds)) {
                auto* all = reinterpret_cast<RECT*>(context);
                ::UnionRect(all, all, &bounds);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&all));
    return all;
}

void ScreenPicture::Save(const RECT& area, const std::wstring& path) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        throw std::runtime_error("nothing is shown to take a picture of");
    Capture capture(width, height);
    if (!::BitBlt(capture.Memory(), 0, 0, width, height, capture.Screen(), area.left, area.top,
                  SRCCOPY)) {
        throw std::runtime_error("the screen cannot be read");
    }
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;  // bottom-up, as BMP files keep their rows
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    std::vector<BYTE> pixels(stride * static_cast<DWORD>(height));
    if (!::GetDIBits(capture.Memory(), capture.Bitmap(), 0, static_cast<UINT>(height),
                     pixels.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS)) {
        throw std::runtime_error("the picture cannot be read back");
    }
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    std::unique_ptr<std::FILE, CloseFile> out(_wfopen(path.c_str(), L"wb"));
    if (!out || std::fwrite(&file, sizeof file, 1, out.get()) != 1 ||
        std::fwrite(&info, sizeof info, 1, out.get()) != 1 ||
        std::fwrite(pixels.data(), 1, pixels.size(), out.get()) != pixels.size()) {
        throw std::runtime_error("the picture cannot be written");
    }
}

}  // namespace telvane::outlookhost
