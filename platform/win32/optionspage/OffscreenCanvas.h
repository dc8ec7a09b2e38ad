#pragma once

#include <windows.h>

namespace telvane::win32 {

// A bitmap to draw into, compatible with a device context, selected into a memory context of
// its own while it lives.
class OffscreenCanvas {
public:
    OffscreenCanvas(HDC like, int width, int height)
        : m_context(::CreateCompatibleDC(like)),
          m_bitmap(m_context ? ::CreateCompatibleBitmap(like, width, height) : nullptr) {
        if (m_bitmap)
            m_old = ::SelectObject(m_context, m_bitmap);
    }
    OffscreenCanvas(const OffscreenCanvas&) = delete;
    OffscreenCanvas& operator=(const OffscreenCanvas&) = delete;
    ~OffscreenCanvas() {
        if (m_old)
            ::SelectObject(m_context, m_old);
        if (m_bitmap)
            ::DeleteObject(m_bitmap);
        if (m_context)
            ::DeleteDC(m_context);
    }

    // Null when the canvas could not be made (a metafile has no compatible bitmap).
    HDC Context() const { return m_bitmap ? m_context : nullptr; }

private:
    HDC m_context;
    HBITMAP m_bitmap;
    HGDIOBJ m_old = nullptr;
};

}  // namespace telvane::win32
