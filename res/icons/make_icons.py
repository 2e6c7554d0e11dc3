#!/usr/bin/env python3
"""Writes the scan dialog's stage icons: 32x32 pixels, 16 colours.

    145 stage-done.ico     green check mark
    147 stage-waiting.ico  red dot
    148 stage-running.ico  green dot
    151 word-protection.ico a page with a blue W, the Word components dialog

Run from anywhere; the files are written beside this script. The pictures are
drawn from simple shapes so that the output is the same on every run.

The scan dialog's icon controls stand 11 dialog units (18 pixels) apart and
each grows to the icon's 32x32 pixels, so each covers the top of the one
above it: a stage icon draws in its top 18 rows only, about as tall as the
text line beside it, and is never cut by the next line's icon.
"""
import os
import struct

SIZE = 32

# The system's 16-colour palette, in its own order, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_RED, DARK_GREEN, RED, GREEN = 0, 1, 2, 9, 10
DARK_BLUE, GREY, WHITE = 4, 8, 15


def blank():
    return [[None] * SIZE for _ in range(SIZE)]  # None: transparent


# Where a stage icon draws: the centre of its band of the top 18 rows.
STAGE_X, STAGE_Y = 17.5, 11.5


def dot(fill, rim):
    """A filled circle with a one-pixel darker rim."""
    picture = blank()
    radius = 6.0
    for y in range(SIZE):
        for x in range(SIZE):
            d2 = (x - STAGE_X) ** 2 + (y - STAGE_Y) ** 2
            if d2 <= radius ** 2:
                picture[y][x] = rim if d2 > (radius - 1.5) ** 2 else fill
    return picture


def distance_to_segment(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    cx, cy = ax + t * dx, ay + t * dy
    return ((px - cx) ** 2 + (py - cy) ** 2) ** 0.5


def check_mark(fill, rim):
    """A thick tick: a short stroke down to the right, a long one up."""
    picture = blank()
    strokes = [(STAGE_X - 5.5, STAGE_Y + 0.5, STAGE_X - 2.0, STAGE_Y + 4.0),
               (STAGE_X - 2.0, STAGE_Y + 4.0, STAGE_X + 5.5, STAGE_Y - 4.5)]
    for y in range(SIZE):
        for x in range(SIZE):
            d = min(distance_to_segment(x + 0.5, y + 0.5, *s) for s in strokes)
            if d <= 2.2:
                picture[y][x] = rim if d > 1.2 else fill
    return picture


def page_with_w():
    """A white page with a grey rim and a blue W written across it."""
    picture = blank()
    left, right, top, bottom = 5, 26, 2, 29
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            rim = x in (left, right) or y in (top, bottom)
            picture[y][x] = GREY if rim else WHITE
    strokes = [(8.0, 9.0, 11.5, 23.0), (11.5, 23.0, 15.5, 12.0),
               (15.5, 12.0, 19.5, 23.0), (19.5, 23.0, 23.0, 9.0)]
    for y in range(top + 1, bottom):
        for x in range(left + 1, right):
            d = min(distance_to_segment(x + 0.5, y + 0.5, *s) for s in strokes)
            if d <= 1.6:
                picture[y][x] = DARK_BLUE
    return picture


def ico(picture):
    """One 32x32 4-bit image in an icon file: header, entry, DIB, masks."""
    # A DIB palette entry is blue, green, red, reserved.
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    xor_rows, and_rows = [], []
    for y in reversed(range(SIZE)):  # a DIB stores its rows bottom-up
        row = picture[y]
        nibbles = [BLACK if p is None else p for p in row]
        xor_rows.append(bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, SIZE, 2)))
        bits = 0
        for x in range(SIZE):
            bits = (bits << 1) | (1 if row[x] is None else 0)
        and_rows.append(bits.to_bytes(SIZE // 8, "big"))
    xor, mask = b"".join(xor_rows), b"".join(and_rows)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0,
                         len(xor) + len(mask), 0, 0, 16, 0)
    image = header + palette + xor + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    icons = {
        "stage-done.ico": check_mark(GREEN, DARK_GREEN),
        "stage-waiting.ico": dot(RED, DARK_RED),
        "stage-running.ico": dot(GREEN, DARK_GREEN),
        "word-protection.ico": page_with_w(),
    }
    for name, picture in icons.items():
        with open(os.path.join(here, name), "wb") as out:
            out.write(ico(picture))


if __name__ == "__main__":
    main()
