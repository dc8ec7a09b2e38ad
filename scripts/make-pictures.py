#!/usr/bin/env python3
"""Draws the product's two pictures into forms/pictures/: the product icon (ProductIcon.ico,
16 and 32 pixels) and the legend of the fax list's ticks (CheckBoxLegend.bmp, 13 by 28: an
empty box above a ticked one). The DLL carries them as resources and the SVG renderer draws
the same pixels. Run it again after changing a drawing; the files are kept in the repository."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "forms", "pictures")

CLEAR = None
BLACK = (0, 0, 0)
DARK = (64, 64, 64)
SHADOW = (128, 128, 128)
FACE = (192, 192, 192)
WHITE = (255, 255, 255)
BLUE = (0, 64, 160)
PAPER = (250, 250, 240)
INK = (96, 96, 96)


def canvas(width, height, fill=CLEAR):
    return [[fill] * width for _ in range(height)]


def rect(pixels, x0, y0, x1, y1, colour):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            pixels[y][x] = colour


def fax_machine(size):
    """A fax machine with a sheet coming out of it, and a blue stroke across the number."""
    p = canvas(size, size)
    s = size / 32.0

    def r(x0, y0, x1, y1, colour):
        rect(p, int(x0 * s), int(y0 * s), max(int(x0 * s), int(x1 * s + s - 1)),
             max(int(y0 * s), int(y1 * s + s - 1)), colour)

    r(9, 1, 23, 15, BLACK)      # sheet outline
    r(10, 2, 22, 15, PAPER)
    for line in (4, 7, 10):
        r(12, line, 20, line, INK)
    r(2, 13, 29, 29, BLACK)     # body
    r(3, 14, 28, 28, FACE)
    r(3, 14, 28, 14, WHITE)
    r(3, 14, 3, 28, WHITE)
    r(6, 16, 25, 17, DARK)      # slot
    for row in (20, 23, 26):
        for col in (18, 21, 24):
            r(col, row, col + 1, row + 1, DARK)
    r(5, 20, 14, 26, SHADOW)    # handset
    r(6, 21, 13, 25, BLUE)
    return p


def check_box(pixels, top, ticked):
    x = 0
    rect(pixels, x, top, x + 12, top, SHADOW)
    rect(pixels, x, top, x, top + 12, SHADOW)
    rect(pixels, x + 1, top + 1, x + 11, top + 1, DARK)
    rect(pixels, x + 1, top + 1, x + 1, top + 11, DARK)
    rect(pixels, x + 12, top, x + 12, top + 12, WHITE)
    rect(pixels, x, top + 12, x + 12, top + 12, WHITE)
    rect(pixels, x + 11, top + 1, x + 11, top + 11, FACE)
    rect(pixels, x + 1, top + 11, x + 11, top + 11, FACE)
    rect(pixels, x + 2, top + 2, x + 10, top + 10, WHITE)
    if ticked:
        # The tick of the classic check box: three pixels tall, falling then rising.
        for i, (cx, cy) in enumerate([(3, 5), (4, 6), (5, 7), (6, 6), (7, 5), (8, 4), (9, 3)]):
            rect(pixels, x + cx, top + cy, x + cx, top + cy + 2, BLACK)


def legend():
    p = canvas(13, 28, FACE)
    check_box(p, 0, False)
    check_box(p, 15, True)
    return p


def dib(pixels, with_mask):
    """A bottom-up 32-bit DIB (with the icon's AND mask when asked)."""
    height = len(pixels)
    width = len(pixels[0])
    header = struct.pack("<IiiHHIIiiII", 40, width, height * (2 if with_mask else 1), 1, 32, 0,
                         0, 0, 0, 0, 0)
    colour = b""
    for row in reversed(pixels):
        for px in row:
            colour += bytes([0, 0, 0, 0]) if px is None else bytes([px[2], px[1], px[0], 255])
    mask = b""
    if with_mask:
        stride = ((width + 31) // 32) * 4
        for row in reversed(pixels):
            bits = bytearray(stride)
            for x, px in enumerate(row):
                if px is None:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bytes(bits)
    return header + colour + mask


def write_icon(path, images):
    entries = b""
    data = b""
    offset = 6 + 16 * len(images)
    for pixels in images:
        body = dib(pixels, True)
        size = len(pixels)
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(body),
                               offset + len(data))
        data += body
    with open(path, "wb") as out:
        out.write(struct.pack("<HHH", 0, 1, len(images)) + entries + data)


def write_bitmap(path, pixels):
    body = dib(pixels, False)
    with open(path, "wb") as out:
        out.write(struct.pack("<2sIHHI", b"BM", 14 + len(body), 0, 0, 54) + body)


if __name__ == "__main__":
    os.makedirs(OUT, exist_ok=True)
    write_icon(os.path.join(OUT, "ProductIcon.ico"), [fax_machine(32), fax_machine(16)])
    write_bitmap(os.path.join(OUT, "CheckBoxLegend.bmp"), legend())
