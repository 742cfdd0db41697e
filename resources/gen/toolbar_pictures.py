#!/usr/bin/env python3
"""Draws the toolbar and menu pictures of the gallery's business program
(and of the toolbar tests), from the command pictures of command_art.py:

- STANDARD.bmp: the standard toolbar, 9 pictures of 16 x 16 (new, open,
  save, print, preview, cut, copy, paste, find) on magenta, 24 bits a pixel:
  one true-colour bitmap for the single-bitmap mode;
- DOCS.bmp, DOCS_DISABLED.bmp, DOCS_HOT.bmp: the documents toolbar, 8
  pictures of 16 x 16 (invoice, waybill, act, bank, cash in, cash out,
  report, stock) on magenta for the image-lists mode: as they are, faded to
  grey, and brightened for the button under the pointer;
- MENU.bmp: every command picture of the program's menu, 16 x 16 on light
  grey (192, 192, 192), in the order of MENU_ORDER below: the check-mark
  pictures of the menu items, which the customisation tree takes with light
  grey as transparent.

Usage: toolbar_pictures.py STANDARD.bmp DOCS.bmp DOCS_DISABLED.bmp DOCS_HOT.bmp MENU.bmp
"""
import sys

from command_art import draw
from raster import strip, write_bmp

STANDARD = ["new", "open", "save", "print", "preview", "cut", "copy", "paste", "find"]
DOCS = ["invoice", "waybill", "act", "bank", "cash_in", "cash_out", "report", "stock"]
# The gallery's menu page lists its commands' pictures in this order.
MENU_ORDER = STANDARD + DOCS + ["people", "goods", "warehouse", "calculator", "settings", "hot_keys", "exit"]

MAGENTA = (255, 0, 255)
LIGHT_GREY = (192, 192, 192)
# What the pictures' smoothed edges are laid over: close to the light button
# faces they stand on.
FACE = (236, 236, 236)


def disabled(r, g, b):
    """Faded to a light grey of the picture's brightness."""
    v = round(0.3 * r + 0.59 * g + 0.11 * b)
    return (128 + v // 3, 128 + v // 3, 132 + v // 3)


def hot(r, g, b):
    """Brighter and warmer, as under the pointer."""
    return (min(255, round(r * 1.1 + 20)), min(255, round(g * 1.1 + 14)), min(255, round(b * 1.05)))


def main():
    standard_path, docs_path, disabled_path, hot_path, menu_path = sys.argv[1:6]
    write_bmp(standard_path, strip([draw(n, 16) for n in STANDARD]).keyed(MAGENTA, FACE))
    docs = strip([draw(n, 16) for n in DOCS])
    write_bmp(docs_path, docs.keyed(MAGENTA, FACE))
    write_bmp(disabled_path, docs.mapped(disabled).keyed(MAGENTA, FACE))
    write_bmp(hot_path, docs.mapped(hot).keyed(MAGENTA, FACE))
    write_bmp(menu_path, strip([draw(n, 16) for n in MENU_ORDER]).keyed(LIGHT_GREY, FACE))


if __name__ == "__main__":
    main()
