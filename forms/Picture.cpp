#include "forms/Picture.h"

#include "forms/PictureFiles.h"

namespace telvane::forms {
namespace {

std::uint32_t Read(const unsigned char* at, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | at[i];
    return value;
}

}  // namespace

std::optional<Picture> Picture::FromDib(const unsigned char* dib, std::size_t size, bool icon) {
    // Only what the product's files hold: uncompressed 32-bit DIBs, bottom-up.
    if (size < 40 || Read(dib, 4) < 40 || Read(dib + 14, 2) != 32 || Read(dib + 16, 4) != 0)
        return std::nullopt;
    const auto width = static_cast<int>(Read(dib + 4, 4));
    const auto stored = static_cast<int>(Read(dib + 8, 4));
    const int height = icon ? stored / 2 : stored;
    const std::size_t header = Read(dib, 4);
    if (width <= 0 || height <= 0 ||
        header + static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4 > size) {
        return std::nullopt;
    }
    Picture picture;
    picture.m_width = width;
    picture.m_height = height;
    picture.m_pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        const unsigned char* row =
            dib + header + static_cast<std::size_t>(height - 1 - y) * width * 4;
        for (int x = 0; x < width; ++x) {
            const unsigned char* px = row + x * 4;
            const std::uint32_t alpha = icon ? px[3] : 0xFFu;
            picture.m_pixels[static_cast<std::size_t>(y) * width + x] =
                (alpha << 24) | (std::uint32_t{px[2]} << 16) | (std::uint32_t{px[1]} << 8) | px[0];
        }
    }
    return picture;
}

std::optional<Picture> Picture::Load(std::string_view name, int size) {
    const PictureFile file = PictureFile::Find(name);
    if (file.size < 6)
        return std::nullopt;
    const unsigned char* data = file.data;
    if (data[0] == 'B' && data[1] == 'M' && file.size > 14)
        return FromDib(data + 14, file.size - 14, false);
    if (Read(data, 2) != 0 || Read(data + 2, 2) != 1)
        return std::nullopt;
    const auto count = static_cast<std::size_t>(Read(data + 4, 2));
    if (file.size < 6 + 16 * count || count == 0)
        return std::nullopt;
    std::size_t best = 0;
    int bestSize = -1;
    for (std::size_t i = 0; i < count; ++i) {
        const int edge = data[6 + 16 * i] == 0 ? 256 : data[6 + 16 * i];
        if (edge == size || (bestSize != size && edge > bestSize)) {
            best = i;
            bestSize = edge;
        }
    }
    const unsigned char* entry = data + 6 + 16 * best;
    const std::size_t length = Read(entry + 8, 4);
    const std::size_t offset = Read(entry + 12, 4);
    if (offset + length > file.size)
        return std::nullopt;
    return FromDib(data + offset, length, true);
}

}  // namespace telvane::forms
