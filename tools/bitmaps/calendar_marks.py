#!/usr/bin/env python3
"""Writes the calendar's default pictures into src/activex/res:

  today.bmp     TODAYBMP: a peach tab with an orange rule along its foot,
                on white (transparent), placed where the day number sits so
                the number is drawn on it. 20 x 16, the smallest cell, so it
                never spills into a neighbour.
  weeksign.bmp  WeekSignBMP: a pointer at the left of the week column
                towards the selected day's row, on black (transparent),
                level with the number's digits and narrow enough to leave
                them legible in a 20 pixel column.

Run it again after changing a drawing here; the .bmp files are checked in.
"""
import os
import struct

PEACH = (255, 220, 180)
ORANGE = (235, 110, 20)
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
    width, height, rule = 20, 16, 2
    rows = [[PEACH] * width for _ in range(height)]
    for y in range(height - rule, height):
        rows[y] = [ORANGE] * width
    # Rounded corners: three pixels off each, left white.
    for y, x in ((0, 0), (0, 1), (1, 0)):
        for yy, xx in ((y, x), (y, width - 1 - x), (height - 1 - y, x), (height - 1 - y, width - 1 - x)):
            rows[yy][xx] = (255, 255, 255)
    return rows


def week_sign():
    width, height = 5, 16
    rows = [[(0, 0, 0)] * width for _ in range(height)]
    # A pointer 9 rows high, widest in row 8, the middle of the digits.
    for y in range(4, 13):
        reach = 5 - abs(y - 8)
        for x in range(reach):
            rows[y][x] = NAVY if x == reach - 1 else BLUE
    return rows


def main():
    res = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'src', 'activex', 'res')
    write_bmp(os.path.join(res, 'today.bmp'), today_mark())
    write_bmp(os.path.join(res, 'weeksign.bmp'), week_sign())


if __name__ == '__main__':
    main()
