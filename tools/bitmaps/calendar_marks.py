#!/usr/bin/env python3
"""Writes the calendar's default pictures into src/activex/res:

  today.bmp     TODAYBMP: a dog-ear in the top-left corner of today's cell,
                on white (transparent). 20 x 16, the smallest cell, so it
                never spills into a neighbour; the number is drawn over it.
  weeksign.bmp  WeekSignBMP: a pointer at the left of the week column
                towards the selected day's row, on black (transparent).

Run it again after changing a drawing here; the .bmp files are checked in.
"""
import os
import struct

ORANGE = (255, 140, 0)
RUST = (200, 80, 0)
BLUE = (0, 120, 215)
NAVY = (0, 70, 150)


def write_bmp(path, pixels):
    """pixels: rows top to bottom of (r, g, b); written 24-bit bottom-up."""
    height, width = len(pixels), len(pixels[0])
    stride = (width * 3 + 3) & ~3
    body = bytearray()
    for row in reversed(pixels):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        body += line + bytes(stride - len(line))
    header = struct.pack('<2sIHHI', b'BM', 54 + len(body), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + body)


def today_mark():
    width, height, leg = 20, 16, 9
    rows = [[(255, 255, 255)] * width for _ in range(height)]
    for y in range(leg):
        for x in range(leg - y):
            rows[y][x] = RUST if x == leg - 1 - y else ORANGE
    return rows


def week_sign():
    width, height = 6, 16
    rows = [[(0, 0, 0)] * width for _ in range(height)]
    # A pointer 11 rows high, widest in its middle row.
    for y in range(3, 14):
        reach = 6 - abs(y - 8)
        for x in range(reach):
            rows[y][x] = NAVY if x == reach - 1 else BLUE
    return rows


def main():
    res = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'src', 'activex', 'res')
    write_bmp(os.path.join(res, 'today.bmp'), today_mark())
    write_bmp(os.path.join(res, 'weeksign.bmp'), week_sign())


if __name__ == '__main__':
    main()
