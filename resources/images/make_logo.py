#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Kx Software
# SPDX-License-Identifier: GPL-3.0-or-later

"""Draws the maker's logo, logo.png: 142 x 63 pixels, 24 bits per pixel.

The about dialog combines the logo with its banner so that white pixels let
the banner show through and black ones stay black, so the picture is drawn
without smoothing: a white ground, a black "K", a red "x", "SOFT WARE" in
dark blue pixel letters and an orange bar. Only the standard library is
used. Run from this folder: python3 make_logo.py
"""

import struct
import zlib

WIDTH, HEIGHT = 142, 63

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
RED = (200, 24, 32)
DARK_BLUE = (24, 44, 128)
ORANGE = (240, 140, 0)

# 5 x 7 pixel letters, one string per row, "#" for a set pixel.
LETTERS = {
    "S": [" ####", "#    ", "#    ", " ### ", "    #", "    #", "#### "],
    "O": [" ### ", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "],
    "F": ["#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#    "],
    "T": ["#####", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  "],
    "W": ["#   #", "#   #", "#   #", "# # #", "# # #", "## ##", "#   #"],
    "A": [" ### ", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"],
    "R": ["#### ", "#   #", "#   #", "#### ", "# #  ", "#  # ", "#   #"],
    "E": ["#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#####"],
}


def new_canvas():
    return [[WHITE] * WIDTH for _ in range(HEIGHT)]


def fill_rect(canvas, x0, y0, x1, y1, colour):
    """Fills x0 <= x < x1, y0 <= y < y1."""
    for y in range(max(0, y0), min(HEIGHT, y1)):
        for x in range(max(0, x0), min(WIDTH, x1)):
            canvas[y][x] = colour


def inside(polygon, px, py):
    """Even-odd test of the point against the polygon."""
    result = False
    count = len(polygon)
    for i in range(count):
        x0, y0 = polygon[i]
        x1, y1 = polygon[(i + 1) % count]
        if (y0 > py) != (y1 > py):
            cross_x = x0 + (py - y0) * (x1 - x0) / (y1 - y0)
            if px < cross_x:
                result = not result
    return result


def fill_polygon(canvas, polygon, colour, rows=(0, HEIGHT)):
    """Sets every pixel whose centre lies inside the polygon, within the rows."""
    for y in range(max(0, rows[0]), min(HEIGHT, rows[1])):
        for x in range(WIDTH):
            if inside(polygon, x + 0.5, y + 0.5):
                canvas[y][x] = colour


def thick_line(canvas, x0, y0, x1, y1, width, colour, rows=(0, HEIGHT)):
    """A stroke of the given width, cut off flat at the given rows."""
    dx, dy = x1 - x0, y1 - y0
    length = (dx * dx + dy * dy) ** 0.5
    nx, ny = -dy / length * width / 2, dx / length * width / 2
    fill_polygon(canvas, [(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)], colour, rows)


def text(canvas, x, y, word, scale, colour):
    for letter in word:
        for row, line in enumerate(LETTERS[letter]):
            for column, mark in enumerate(line):
                if mark == "#":
                    fill_rect(canvas, x + column * scale, y + row * scale,
                              x + (column + 1) * scale, y + (row + 1) * scale, colour)
        x += 6 * scale


def draw():
    canvas = new_canvas()
    # "K": the stem, then the two arms meeting it a little above the middle,
    # drawn past the letter's top and bottom and cut off there.
    letter_rows = (5, 49)
    fill_rect(canvas, 8, 5, 20, 49, BLACK)
    thick_line(canvas, 14, 36, 48, 1, 12, BLACK, letter_rows)
    thick_line(canvas, 22, 21, 52, 52, 12, BLACK, letter_rows)
    # "x": a black stroke crossed by a red one.
    small_rows = (22, 49)
    thick_line(canvas, 57, 19, 87, 52, 8, BLACK, small_rows)
    thick_line(canvas, 87, 19, 57, 52, 8, RED, small_rows)
    # The word in two lines of pixel letters at double size.
    text(canvas, 93, 10, "SOFT", 2, DARK_BLUE)
    text(canvas, 93, 30, "WARE", 2, DARK_BLUE)
    # The bar beneath it all.
    fill_rect(canvas, 8, 54, 136, 58, ORANGE)
    return canvas


def png_chunk(kind, data):
    chunk = kind + data
    return struct.pack(">I", len(data)) + chunk + struct.pack(">I", zlib.crc32(chunk) & 0xFFFFFFFF)


def write_png(path, canvas):
    raw = b"".join(b"\x00" + bytes(channel for pixel in row for channel in pixel) for row in canvas)
    header = struct.pack(">IIBBBBB", WIDTH, HEIGHT, 8, 2, 0, 0, 0)  # 8 bits per channel, RGB
    with open(path, "wb") as file:
        file.write(b"\x89PNG\r\n\x1a\n")
        file.write(png_chunk(b"IHDR", header))
        file.write(png_chunk(b"IDAT", zlib.compress(raw, 9)))
        file.write(png_chunk(b"IEND", b""))


if __name__ == "__main__":
    write_png("logo.png", draw())
