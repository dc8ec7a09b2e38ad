#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace telvane::forms {

// One of the product's pictures as pixels, decoded from its icon or bitmap file, so that a
// drawing without Windows shows what the real windows show.
class Picture {
public:
    // The picture of that resource name; of an icon, the image of `size` pixels if it has one,
    // else its largest. Nothing when there is no such picture or its file is not understood.
    static std::optional<Picture> Load(std::string_view name, int size = 0);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // 0xAARRGGBB, rows from the top.
    std::uint32_t Pixel(int x, int y) const {
        return m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
                        static_cast<std::size_t>(x)];
    }

private:
    static std::optional<Picture> FromDib(const unsigned char* dib, std::size_t size, bool icon);

    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint32_t> m_pixels;
};

}  // namespace telvane::forms
