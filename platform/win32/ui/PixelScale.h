#pragma once

#include <windows.h>

#include <cmath>

namespace telvane::win32 {

// Twips (1440 to the inch) and pixels at one DPI: the only place either becomes the other.
// The DPI is the window's monitor's where the system knows it per window (GetDpiForWindow,
// Windows 10 1607 and later), else the screen's vertical pixels per inch. Header-only, so the
// stand-in mail client and the tests measure with the very same arithmetic.
class PixelScale {
public:
    static constexpr int kDefaultDpi = 96;

    explicit PixelScale(int dpi) : m_dpi(dpi > 0 ? dpi : kDefaultDpi) {}

    static PixelScale OfScreen() {
        int dpi = kDefaultDpi;
        if (const HDC screen = ::GetDC(nullptr)) {
            dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
            ::ReleaseDC(nullptr, screen);
        }
        return PixelScale(dpi);
    }
    // The screen's when `window` is null or the system has no DPI per window.
    static PixelScale OfWindow(HWND window) {
        using DpiForWindow = UINT(WINAPI*)(HWND);
        // Looked up at run time: XP's user32 has no such export, and the DLLs must load there.
        static const auto dpiForWindow = [] {
            const HMODULE user = ::GetModuleHandleW(L"user32.dll");
            return user == nullptr ? nullptr
                                   : reinterpret_cast<DpiForWindow>(reinterpret_cast<void (*)()>(
                                         ::GetProcAddress(user, "GetDpiForWindow")));
        }();
        if (window != nullptr && dpiForWindow != nullptr) {
            if (const UINT dpi = dpiForWindow(window); dpi != 0)
                return PixelScale(static_cast<int>(dpi));
        }
        return OfScreen();
    }

    int Dpi() const { return m_dpi; }
    int Pixels(int twips) const { return ::MulDiv(twips, m_dpi, 1440); }
    int Twips(int pixels) const { return ::MulDiv(pixels, 1440, m_dpi); }
    // OLE's extents: HIMETRIC, 2540 to the inch.
    int HiMetric(int pixels) const { return ::MulDiv(pixels, 2540, m_dpi); }
    // A size drawn for 96 DPI (a picture, a tick box), at this DPI.
    int FromDefault(int pixels) const { return ::MulDiv(pixels, m_dpi, kDefaultDpi); }
    // A font's height for LOGFONT: negative, the character height in pixels.
    int FontHeight(double points) const {
        return -static_cast<int>(std::lround(points * m_dpi / 72.0));
    }

    bool operator==(const PixelScale& other) const = default;

private:
    int m_dpi;
};

}  // namespace telvane::win32
