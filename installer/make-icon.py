#!/usr/bin/env python3
"""Draws the product icon, Telvane.ico (16, 32 and 48 pixels, 32-bit with alpha), and with
--png FILE a 48-pixel preview. Run by hand when the drawing changes; the build uses the .ico."""
import struct
import sys
import zlib

SAMPLES = 4  # per pixel and axis: edges come out smooth at 16 pixels too

BLUE = (0x1F, 0x4E, 0x79)
PAPER = (0xFF, 0xFF, 0xFF)
FOLD = (0xC8, 0xD6, 0xE5)
LINE = (0x8A, 0x9B, 0xAD)
BAR = (0xF2, 0xA1, 0x1F)


def rounded(x, y, left, top, right, bottom, radius):
    if not (left <= x <= right and top <= y <= bottom):
        return False
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def colour_at(x, y):
    """The drawing on a 48-unit square; None is transparent."""
    if not rounded(x, y, 2, 2, 46, 46, 8):
        return None
    # A fax sheet with its top right corner folded down.
    if 12 <= x <= 36 and 7 <= y <= 41:
        if x - 28 > y - 7:
            return BLUE
        if x >= 28 and y <= 15:
            return FOLD
        # Three lines of text, and a number hidden behind the bar.
        for top in (13, 18, 23):
            if top <= y <= top + 2 and 16 <= x <= (26 if top == 13 else 32):
                return LINE
        if rounded(x, y, 15, 29, 33, 36, 2):
            return BAR
        return PAPER
    return BLUE


def render(size):
    pixels = []
    for row in range(size):
        line = []
        for col in range(size):
            r = g = b = a = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (col + (sx + 0.5) / SAMPLES) * 48 / size
                    y = (row + (sy + 0.5) / SAMPLES) * 48 / size
                    c = colour_at(x, y)
                    if c:
                        r, g, b, a = r + c[0], g + c[1], b + c[2], a + 1
            if a:
                line.append((r // a, g // a, b // a, 255 * a // SAMPLES ** 2))
            else:
                line.append((0, 0, 0, 0))
        pixels.append(line)
    return pixels


def bmp_entry(pixels):
    size = len(pixels)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes((b, g, r, a)) for line in reversed(pixels) for (r, g, b, a) in line)
    mask_row = ((size + 31) // 32) * 4
    mask = bytearray()
    for line in reversed(pixels):
        bits = bytearray(mask_row)
        for col, (_, _, _, a) in enumerate(line):
            if a == 0:
                bits[col // 8] |= 0x80 >> (col % 8)
        mask += bits
    return header + colour + bytes(mask)


def ico(sizes):
    images = [bmp_entry(render(size)) for size in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return out + b"".join(images)


def png(pixels):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(
            ">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    raw = b"".join(b"\0" + b"".join(bytes(p) for p in line) for line in pixels)
    header = struct.pack(">IIBBBBB", len(pixels[0]), len(pixels), 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


if __name__ == "__main__":
    here = sys.argv[0].rsplit("/", 1)[0] if "/" in sys.argv[0] else "."
    with open(here + "/Telvane.ico", "wb") as f:
        f.write(ico([48, 32, 16]))
    if len(sys.argv) == 3 and sys.argv[1] == "--png":
        with open(sys.argv[2], "wb") as f:
            f.write(png(render(48)))
