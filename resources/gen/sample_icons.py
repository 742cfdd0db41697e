#!/usr/bin/env python3
"""Writes the icon and bitmap files that the tests read and the gallery
shows, one picture of command_art.py each:

- sample_1bit.ico: the new-document picture, 32 x 32, black and white;
- sample_4bit.ico: the invoice, 32 x 32, 16 colours;
- sample_8bit.ico: the report on white, 32 x 32, 256 colours, every pixel
  opaque (its mask all zero);
- sample_24bit.ico: the waybill, 32 x 32, 24 bits a pixel;
- sample_32bit.ico: the bank, 32 x 32, 32 bits with alpha;
- sample_multi.ico: the warehouse at 16 (32 bits), 24 (4 bits), 32 (8 bits)
  and 48 (32 bits) pixels;
- sample_png.ico: the calculator as a 64 x 64 PNG picture, then at 32 x 32
  in 32 bits;
- sample_picture.bmp: the stock picture, 48 x 32, 24 bits a pixel;
- sample_8bit.bmp: the same in 256 colours.

Usage: sample_icons.py FILE... (in the order above)
"""
import sys

from command_art import draw
from raster import Canvas, write_bmp, write_ico

WHITE = (255, 255, 255)


def monochrome(c):
    """Black where the picture is dark and opaque, white where it is light,
    transparent where it is transparent."""
    def fn(r, g, b):
        return (0, 0, 0) if 0.3 * r + 0.59 * g + 0.11 * b < 170 else (255, 255, 255)
    out = c.mapped(fn)
    for row in out.px:
        for x, p in enumerate(row):
            row[x] = p[:3] + (255 if p[3] >= 128 else 0,)
    return out


def wide(name, width, height):
    c = Canvas(width, height)
    c.paste(draw(name, height), (width - height) // 2, 0)
    c.paste(draw("report", height // 2), 0, height // 2)
    return c.flattened(WHITE)


def main():
    paths = sys.argv[1:]
    files = [
        ("ico", [(monochrome(draw("new", 32)), 1)]),
        ("ico", [(draw("invoice", 32), 4)]),
        ("ico", [(draw("report", 32).flattened(WHITE), 8)]),
        ("ico", [(draw("waybill", 32), 24)]),
        ("ico", [(draw("bank", 32), 32)]),
        ("ico", [(draw("warehouse", 16), 32), (draw("warehouse", 24), 4), (draw("warehouse", 32), 8),
                 (draw("warehouse", 48), 32)]),
        ("ico", [(draw("calculator", 64), "png"), (draw("calculator", 32), 32)]),
        ("bmp", (wide("stock", 48, 32), 24)),
        ("bmp", (wide("stock", 48, 32), 8)),
    ]
    assert len(paths) == len(files), "one output path per file"
    for path, (kind, content) in zip(paths, files):
        if kind == "ico":
            write_ico(path, content)
        else:
            write_bmp(path, content[0], content[1])


if __name__ == "__main__":
    main()
