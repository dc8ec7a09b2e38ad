#pragma once

#include <cstdint>
#include <string>

#include "forms/SystemColor.h"

namespace telvane::forms {

// A colour as OLE_COLOR holds it: either a fixed RGB value or a system colour index, which the
// platform resolves from the user's colour scheme when it draws.
class Color {
public:
    static constexpr Color Rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
        return Color(static_cast<std::uint32_t>(red) | (static_cast<std::uint32_t>(green) << 8) |
                     (static_cast<std::uint32_t>(blue) << 16));
    }
    static constexpr Color System(SystemColor index) {
        return Color(kSystemFlag | static_cast<std::uint32_t>(index));
    }
    // Accepts any OLE_COLOR value, e.g. &H8000000F& for the button face.
    static constexpr Color FromOleColor(std::uint32_t value) { return Color(value); }

    constexpr bool IsSystem() const { return (m_value & kSystemFlag) != 0; }
    constexpr int SystemIndex() const { return static_cast<int>(m_value & 0xFF); }
    constexpr std::uint32_t OleColor() const { return m_value; }

    // The RGB value (0x00BBGGRR); system colours are taken from the Windows Standard scheme of
    // the mail client's era, since a headless drawing has no user scheme to read.
    std::uint32_t ResolveRgb() const;
    // "#rrggbb" of ResolveRgb.
    std::string ToHex() const;

    friend constexpr bool operator==(Color, Color) = default;

private:
    static constexpr std::uint32_t kSystemFlag = 0x80000000u;
    constexpr explicit Color(std::uint32_t value) : m_value(value) {}

    std::uint32_t m_value;
};

}  // namespace telvane::forms
