#!/usr/bin/env python3
"""Writes the 2 x 2 probe bitmap the GDI tests load as a resource:
red, green on the top row; blue, white on the bottom row (24 bits a pixel)."""
import struct
import sys

TOP = [(255, 0, 0), (0, 255, 0)]        # red, green
BOTTOM = [(0, 0, 255), (255, 255, 255)]  # blue, white


def row(pixels):
    data = b"".join(bytes((b, g, r)) for r, g, b in pixels)  # BGR order
    return data + b"\0" * (-len(data) % 4)                  # rows padded to 4 bytes


pixels = row(BOTTOM) + row(TOP)  # a bitmap stores the bottom row first
info = struct.pack("<IiiHHIIiiII", 40, 2, 2, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
with open(sys.argv[1], "wb") as out:
    out.write(header + info + pixels)
