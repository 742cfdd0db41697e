#!/usr/bin/env python3
"""Draws the picture of the month calendar's right strip (icon 1011) and writes
it as an ICO file with a 32 x 32 and a 16 x 16 image, 32 bits a pixel.

The picture is a tear-off calendar page: a red header band with two dark
binder holes, a white page with a grey frame and a grid of day cells, one day
marked in blue, and a soft shadow on the right and bottom. The control draws
it squeezed into a tall narrow strip, so the shapes are plain bands and cells
that stay recognisable when stretched, and the page fills the picture from its
top: anything above it would be stretched into stray lines over the strip.

Usage: calendar_icon.py OUTPUT.ico
"""
import struct
import sys

SIZE = 32

TRANSPARENT = (0, 0, 0, 0)
RING = (64, 64, 64, 255)
HEADER = (200, 30, 30, 255)
PAGE = (255, 255, 255, 255)
FRAME = (128, 128, 128, 255)
GRID = (192, 192, 192, 255)
MARK = (30, 80, 200, 255)
SHADOW = (0, 0, 0, 96)


def fill(img, x0, y0, x1, y1, colour):
    """Fills the inclusive rectangle (x0, y0)-(x1, y1)."""
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            img[y][x] = colour


def draw_page():
    img = [[TRANSPARENT] * SIZE for _ in range(SIZE)]
    fill(img, 4, 1, 29, 30, SHADOW)        # shadow, offset by one pixel
    fill(img, 3, 0, 28, 29, FRAME)         # page frame
    fill(img, 4, 1, 27, 28, PAGE)          # page
    fill(img, 4, 1, 27, 11, HEADER)        # header band
    for x in (8, 22):                      # binder holes in the band
        fill(img, x, 3, x + 1, 6, RING)
    # Day cells: 4 columns of 6 pixels and 3 rows of 5, split by grid lines.
    for x in (10, 16, 22):
        fill(img, x, 12, x, 28, GRID)
    for y in (17, 23):
        fill(img, 4, y, 27, y, GRID)
    fill(img, 17, 18, 21, 22, MARK)        # the chosen day
    return img


def halve(img):
    """Box-filters the picture to half its size, averaging colour by alpha."""
    half = len(img) // 2
    out = [[TRANSPARENT] * half for _ in range(half)]
    for y in range(half):
        for x in range(half):
            px = [img[2 * y + dy][2 * x + dx] for dy in (0, 1) for dx in (0, 1)]
            alpha = sum(p[3] for p in px)
            if alpha == 0:
                continue
            rgb = tuple(round(sum(p[c] * p[3] for p in px) / alpha) for c in range(3))
            out[y][x] = rgb + (round(alpha / 4),)
    return out


def icon_image(img):
    """The BITMAPINFOHEADER, the BGRA rows and the AND mask of one image."""
    n = len(img)
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes((b, g, r, a)) for row in reversed(img) for (r, g, b, a) in row)
    mask_row_bytes = ((n + 31) // 32) * 4
    mask = b""
    for row in reversed(img):
        bits = 0
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:                     # 1 = transparent where there is no alpha
                bits |= 1 << (mask_row_bytes * 8 - 1 - x)
        mask += bits.to_bytes(mask_row_bytes, "big")
    return header + colour + mask


def main():
    big = draw_page()
    images = [(SIZE, icon_image(big)), (SIZE // 2, icon_image(halve(big)))]
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for n, image in images:
        data += struct.pack("<BBBBHHII", n, n, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    data += b"".join(image for _, image in images)
    with open(sys.argv[1], "wb") as out:
        out.write(data)


if __name__ == "__main__":
    main()
