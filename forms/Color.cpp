#include "forms/Color.h"

#include <array>
#include <cstdio>

namespace telvane::forms {

namespace {

constexpr std::uint32_t Bgr(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return r | (g << 8) | (b << 16);
}

// The "Windows Standard" scheme of Windows 2000, indexed by SystemColor.
constexpr std::array<std::uint32_t, 25> kStandardScheme = {
    Bgr(212, 208, 200),  // scroll bars
    Bgr(58, 110, 165),   // desktop
    Bgr(10, 36, 106),    // active title bar
    Bgr(128, 128, 128),  // inactive title bar
    Bgr(212, 208, 200),  // menu bar
    Bgr(255, 255, 255),  // window background
    Bgr(0, 0, 0),        // window frame
    Bgr(0, 0, 0),        // menu text
    Bgr(0, 0, 0),        // window text
    Bgr(255, 255, 255),  // title bar text
    Bgr(212, 208, 200),  // active border
    Bgr(212, 208, 200),  // inactive border
    Bgr(128, 128, 128),  // application workspace
    Bgr(10, 36, 106),    // highlight
    Bgr(255, 255, 255),  // highlight text
    Bgr(212, 208, 200),  // button face
    Bgr(128, 128, 128),  // button shadow
    Bgr(128, 128, 128),  // gray text
    Bgr(0, 0, 0),        // button text
    Bgr(212, 208, 200),  // inactive caption text
    Bgr(255, 255, 255),  // button highlight
    Bgr(64, 64, 64),     // 3D dark shadow
    Bgr(212, 208, 200),  // 3D light
    Bgr(0, 0, 0),        // info text
    Bgr(255, 255, 225),  // info background
};

}  // namespace

std::uint32_t Color::ResolveRgb() const {
    if (!IsSystem())
        return m_value & 0xFFFFFFu;
    const auto index = static_cast<std::size_t>(SystemIndex());
    // An index Windows does not know draws black, as GetSysColor answers for it.
    return index < kStandardScheme.size() ? kStandardScheme[index] : 0u;
}

std::string Color::ToHex() const {
    const std::uint32_t rgb = ResolveRgb();
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", rgb & 0xFFu, (rgb >> 8) & 0xFFu,
                  (rgb >> 16) & 0xFFu);
    return text;
}

}  // namespace telvane::forms
