#!/usr/bin/env python3
"""Draws the check pictures of the list controls, 16-colour BMP files:

    list_checks.py CHECK.bmp BOXES.bmp

CHECK.bmp (bitmap 216, the check list's mark): 20 x 13 pixels, a blue tick on
white. The list copies it onto each checked cell with SRCAND, so its white
lets the row's own colour show through and the tick stays blue.

BOXES.bmp (bitmap 20000, the drag-and-drop list's check boxes): 32 x 16
pixels, two images of 16 x 16 side by side, an empty box and a ticked box, on
pure red, which the image list takes as transparent.

Each picture below is drawn as it stands: '.' is the background, any other
character a colour of INK."""
import os
import sys

# The BMP writer and the standard 16-colour palette (every colour kept
# exactly) of the calculator's pictures.
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from calc_icons import PALETTE, bmp  # noqa: E402

INK = {
    "b": 12,  # blue: the tick of the check list
    "n": 4,   # navy: its darker edge
    "g": 8,   # grey: the box's frame
    "w": 15,  # white: the inside of the box
    "k": 0,   # black: the tick in the box
}
WHITE, RED = 15, 9

CHECK = """
....................
...............bb...
..............bbn...
.............bbn....
............bbn.....
...bb......bbn......
...bbb....bbn.......
....bbb..bbn........
.....bbbbbn.........
......bbbn..........
.......bn...........
....................
....................
"""

EMPTY_BOX = """
................
................
.ggggggggggggg..
.gwwwwwwwwwwwg..
.gwwwwwwwwwwwg..
.gwwwwwwwwwwwg..
.gwwwwwwwwwwwg..
.gwwwwwwwwwwwg..
.gwwwwwwwwwwwg..
.gwwwwwwwwwwwg..
.gwwwwwwwwwwwg..
.gwwwwwwwwwwwg..
.gwwwwwwwwwwwg..
.gwwwwwwwwwwwg..
.ggggggggggggg..
................
"""

TICKED_BOX = """
................
................
.ggggggggggggg..
.gwwwwwwwwwwwg..
.gwwwwwwwwwkwg..
.gwwwwwwwwkkwg..
.gwwwwwwwkkkwg..
.gwkwwwwkkkwwg..
.gwkkwwkkkwwwg..
.gwkkkkkkwwwwg..
.gwwkkkkwwwwwg..
.gwwwkkwwwwwwg..
.gwwwwwwwwwwwg..
.gwwwwwwwwwwwg..
.ggggggggggggg..
................
"""


def picture(art, background):
    """Rows of palette indexes of a picture drawn as it stands."""
    rows = art.strip("\n").split("\n")
    assert len({len(r) for r in rows}) == 1, rows
    return [[background if ch == "." else INK[ch] for ch in row] for row in rows]


def side_by_side(*pictures):
    return [sum(rows, []) for rows in zip(*pictures)]


def main(argv):
    if len(argv) != 3:
        sys.exit(__doc__)
    check = picture(CHECK, WHITE)
    assert (len(check[0]), len(check)) == (20, 13)
    boxes = side_by_side(picture(EMPTY_BOX, RED), picture(TICKED_BOX, RED))
    assert (len(boxes[0]), len(boxes)) == (32, 16)
    with open(argv[1], "wb") as out:
        out.write(bmp(4, PALETTE, check))
    with open(argv[2], "wb") as out:
        out.write(bmp(4, PALETTE, boxes))


if __name__ == "__main__":
    main(sys.argv)
