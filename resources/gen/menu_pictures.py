#!/usr/bin/env python3
"""Draws the pictures of the menu subsystem's resources:

- bitmap 265, the submenu node of the menu-customisation tree: a closed
  yellow folder, 16 x 16, 24 bits a pixel, on white (the colour the tree's
  image list takes as transparent);
- icon 166, the icon button's note: a yellow sticky note with three written
  lines and a red pin, at 16, 24, 32 and 48 pixels, 32 bits a pixel with
  alpha.

Usage: menu_pictures.py FOLDER.bmp MEMO.ico
"""
import sys

from raster import Canvas, vertical, write_bmp, write_ico


def folder():
    c = Canvas(16, 16)
    c.polygon([(1, 3), (6, 3), (7.5, 5), (15, 5), (15, 14), (1, 14)], vertical((236, 190, 70, 255),
                                                                            (196, 140, 30, 255), 3, 14))
    c.rect(1, 6, 15, 14, vertical((255, 222, 110, 255), (232, 170, 40, 255), 6, 14))
    c.rect(1, 6, 15, 7, (255, 240, 180, 255))
    return c.flattened((255, 255, 255))


def memo(size):
    c = Canvas(size, size)
    u = size / 16.0
    # The note, its shadow and its folded bottom-right corner.
    c.polygon([(2.5 * u, 2.5 * u), (15 * u, 2.5 * u), (15 * u, 12 * u), (12 * u, 15 * u), (2.5 * u, 15 * u)],
              (0, 0, 0, 70))
    c.polygon([(1.5 * u, 1.5 * u), (14 * u, 1.5 * u), (14 * u, 11 * u), (11 * u, 14 * u), (1.5 * u, 14 * u)],
              vertical((255, 244, 150, 255), (246, 210, 70, 255), 1.5 * u, 14 * u))
    c.polygon([(11 * u, 14 * u), (11 * u, 11 * u), (14 * u, 11 * u)], (214, 176, 40, 255))
    for y in (5.5, 8, 10.5):
        c.rect(3.5 * u, y * u, (10.5 if y > 10 else 12) * u, y * u + max(1.0, 0.9 * u), (110, 110, 140, 255))
    c.ellipse(7.8 * u, 2.4 * u, 1.6 * u, 1.6 * u, (214, 40, 40, 255))
    c.ellipse(7.4 * u, 2.0 * u, 0.6 * u, 0.6 * u, (255, 170, 170, 255))
    return c


def main():
    folder_path, memo_path = sys.argv[1:3]
    write_bmp(folder_path, folder(), 24)
    write_ico(memo_path, [(memo(n), 32) for n in (16, 24, 32, 48)])


if __name__ == "__main__":
    main()
