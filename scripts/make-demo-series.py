#!/usr/bin/env python3
"""Writes the demo picture series data/images/lcd_0.bmp ... lcd_3.bmp.

Each frame is an 84 x 48 24-bit bitmap, one frame of the module: a frame line
around the edge, the word "LCD" drawn from a 5 x 7 dot font, and a ball that
moves from frame to frame. Dark pixels are black, the rest white.
"""

import pathlib
import struct

WIDTH, HEIGHT = 84, 48
FRAMES = 4

GLYPHS = {
    "L": ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    "C": ["01110", "10001", "10000", "10000", "10000", "10001", "01110"],
    "D": ["11110", "10001", "10001", "10001", "10001", "10001", "11110"],
}


def frame_pixels(frame):
    dark = [[False] * WIDTH for _ in range(HEIGHT)]
    for x in range(WIDTH):
        dark[0][x] = dark[HEIGHT - 1][x] = True
    for y in range(HEIGHT):
        dark[y][0] = dark[y][WIDTH - 1] = True
    # "LCD" at twice the size of the dot font.
    for index, letter in enumerate("LCD"):
        for row, bits in enumerate(GLYPHS[letter]):
            for column, bit in enumerate(bits):
                if bit == "1":
                    for dy in range(2):
                        for dx in range(2):
                            dark[6 + row * 2 + dy][8 + index * 13 + column * 2 + dx] = True
    # The ball, radius 6, moving right along the lower half.
    cx, cy = 14 + frame * 18, 32
    for y in range(HEIGHT):
        for x in range(WIDTH):
            if (x - cx) ** 2 + (y - cy) ** 2 <= 36:
                dark[y][x] = True
    return dark


def bitmap(dark):
    row_size = (WIDTH * 3 + 3) // 4 * 4
    pixels = bytearray()
    for y in reversed(range(HEIGHT)):  # bitmaps store the bottom row first
        row = bytearray()
        for x in range(WIDTH):
            row += b"\x00\x00\x00" if dark[y][x] else b"\xff\xff\xff"
        pixels += row + b"\x00" * (row_size - len(row))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + pixels


def main():
    folder = pathlib.Path(__file__).resolve().parent.parent / "data" / "images"
    folder.mkdir(parents=True, exist_ok=True)
    for frame in range(FRAMES):
        (folder / f"lcd_{frame}.bmp").write_bytes(bitmap(frame_pixels(frame)))


if __name__ == "__main__":
    main()
