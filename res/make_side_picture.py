#!/usr/bin/env python3
"""Writes the side picture of the startup components dialog, bitmap 130:
side-picture.bmp, 136x256 pixels, 16 colours, in the style of the program's
icons (icons/make_icons.py): a shield with a check mark over a diskette, on
dark blue.

Run from anywhere; the file is written beside this script. The picture is
drawn from simple shapes so that the output is the same on every run.
"""
import os
import struct

WIDTH, HEIGHT = 136, 256

# The system's 16-colour palette, in its own order, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_GREEN, NAVY, TEAL, SILVER, GREY, GREEN, WHITE = 0, 2, 4, 6, 7, 8, 10, 15


def distance_to_segment(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    cx, cy = ax + t * dx, ay + t * dy
    return ((px - cx) ** 2 + (py - cy) ** 2) ** 0.5


def in_shield(x, y):
    """A shield: straight top, sides that curve in to a point at the bottom."""
    top, bottom, centre, half = 30, 150, 68, 48
    if y < top or y > bottom:
        return False
    depth = (y - top) / (bottom - top)
    width = half if depth < 0.45 else half * (1 - ((depth - 0.45) / 0.55) ** 1.6)
    return abs(x + 0.5 - centre) <= width


def picture():
    rows = [[NAVY] * WIDTH for _ in range(HEIGHT)]
    # Bands of teal towards the bottom, as the icons shade their dots.
    for y in range(HEIGHT):
        for x in range(WIDTH):
            if (y > 200 and (x + y) % 2 == 0) or y > 228:
                rows[y][x] = TEAL
    # The shield, with a one-pixel darker rim.
    for y in range(HEIGHT):
        for x in range(WIDTH):
            if in_shield(x, y):
                rim = not all(in_shield(x + dx, y + dy) for dx, dy in
                              ((-2, 0), (2, 0), (0, -2), (0, 2)))
                rows[y][x] = DARK_GREEN if rim else GREEN
    # The check mark on the shield.
    strokes = [(42.0, 88.0, 60.0, 108.0), (60.0, 108.0, 96.0, 62.0)]
    for y in range(HEIGHT):
        for x in range(WIDTH):
            d = min(distance_to_segment(x + 0.5, y + 0.5, *s) for s in strokes)
            if d <= 7.0 and in_shield(x, y):
                rows[y][x] = BLACK if d > 5.5 else WHITE
    # A diskette below: body, shutter and label.
    left, top, size = 44, 168, 48
    for y in range(top, top + size):
        for x in range(left, left + size):
            corner = x >= left + size - 6 and y < top + 6 and (x - (left + size - 6)) > (y - top)
            if corner:
                continue
            edge = x in (left, left + size - 1) or y in (top, top + size - 1)
            colour = BLACK if edge else GREY
            if left + 12 <= x < left + 36 and top <= y < top + 16:
                colour = SILVER if not (left + 26 <= x < left + 31 and top + 3 <= y < top + 13) else GREY
            if left + 8 <= x < left + 40 and top + 24 <= y < top + size - 2:
                colour = WHITE
            rows[y][x] = colour
    return rows


def bmp(rows):
    """A 4-bit DIB in a bitmap file: file header, info header, palette, rows."""
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    stride = ((WIDTH * 4 + 31) // 32) * 4
    pixels = b""
    for y in reversed(range(HEIGHT)):  # bottom-up
        row = rows[y]
        line = bytes((row[i] << 4) | row[i + 1] for i in range(0, WIDTH, 2))
        pixels += line + b"\0" * (stride - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 4, 0, len(pixels), 0, 0, 16, 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + palette + pixels


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, "side-picture.bmp"), "wb") as out:
        out.write(bmp(picture()))


if __name__ == "__main__":
    main()
