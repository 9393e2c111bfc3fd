#!/usr/bin/env python3
"""Renders the application icon: one 128 x 128 32-bit image with alpha, written as an .ico file.

The picture: a blue rounded tile (the title band's colour) carrying a white sheet with a folded
corner, three text lines on the sheet and a red ribbon across its foot for the PDF it becomes.
Each pixel is sampled 4 x 4 times, so the edges are anti-aliased.
"""
import struct
import sys

SIZE = 128
SAMPLES = 4

BLUE = (0, 136, 255)
WHITE = (255, 255, 255)
FOLD = (200, 222, 250)
LINE = (150, 170, 200)
RED = (226, 48, 48)


def rounded_rect(x, y, left, top, right, bottom, radius):
    if not (left <= x <= right and top <= y <= bottom):
        return False
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius


def colour_at(x, y):
    """The colour of the picture at (x, y), or None where it is transparent."""
    if not rounded_rect(x, y, 4, 4, 124, 124, 22):
        return None
    sheet_left, sheet_top, sheet_right, sheet_bottom, fold = 34, 18, 94, 110, 20
    on_sheet = sheet_left <= x <= sheet_right and sheet_top <= y <= sheet_bottom
    if on_sheet and (x - (sheet_right - fold)) + (sheet_top + fold - y) > fold:
        on_sheet = False  # the cut-off corner
    if on_sheet:
        if x >= sheet_right - fold and y <= sheet_top + fold:
            return FOLD
        if 78 <= y <= 100:
            return RED
        for line_top in (44, 56, 68):
            if line_top <= y <= line_top + 5 and 44 <= x <= 84:
                return LINE
        return WHITE
    return BLUE


def render():
    rows = []
    for py in range(SIZE):
        row = []
        for px in range(SIZE):
            acc = [0, 0, 0]
            covered = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    c = colour_at(px + (sx + 0.5) / SAMPLES, py + (sy + 0.5) / SAMPLES)
                    if c is not None:
                        covered += 1
                        for i in range(3):
                            acc[i] += c[i]
            if covered:
                rgb = [v // covered for v in acc]
                alpha = covered * 255 // (SAMPLES * SAMPLES)
            else:
                rgb, alpha = [0, 0, 0], 0
            row.append((rgb[0], rgb[1], rgb[2], alpha))
        rows.append(row)
    return rows


def ico_bytes(rows):
    pixels = bytearray()
    for row in reversed(rows):  # a DIB is stored bottom-up
        for r, g, b, a in row:
            pixels += bytes((b, g, r, a))
    mask_stride = ((SIZE + 31) // 32) * 4
    mask = bytes(mask_stride * SIZE)  # the alpha channel decides; the AND mask is all clear
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(pixels) + len(mask),
                         0, 0, 0, 0)
    image = header + bytes(pixels) + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE % 256, SIZE % 256, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_icon.py OUTPUT.ico")
    with open(sys.argv[1], "wb") as f:
        f.write(ico_bytes(render()))


if __name__ == "__main__":
    main()
