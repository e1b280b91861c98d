#!/usr/bin/env python3
"""Draws the layer image strip (layer_images.png): four 13 x 16 images side by side,
0 lit lamp, 1 unlit lamp, 2 green check mark, 3 blank. Teal (0, 128, 128) is the
transparent colour. Only the standard library: the PNG is written by hand."""

import struct
import sys
import zlib
from pathlib import Path

W, H, COUNT = 13, 16, 4
TEAL = (0, 128, 128)
OUTLINE = (64, 64, 64)
LIT = (255, 230, 40)
LIT_CORE = (255, 255, 200)
UNLIT = (200, 200, 200)
BASE = (128, 128, 128)
BASE_LINE = (80, 80, 80)
GREEN = (0, 160, 0)


def lamp(lit):
    img = [[TEAL] * W for _ in range(H)]
    cx, cy, r = 6.0, 5.5, 5.0
    for y in range(H):
        for x in range(W):
            d = ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5
            if y <= 10 and d <= r - 0.6:
                img[y][x] = (LIT_CORE if lit and d < 1.8 else LIT) if lit else UNLIT
            elif y <= 10 and d <= r + 0.4:
                img[y][x] = OUTLINE
    # The neck and the screw base below the bulb.
    for y in range(10, 15):
        for x in range(4, 9):
            img[y][x] = BASE_LINE if y in (11, 13) or x in (4, 8) else BASE
    img[15][5] = img[15][6] = img[15][7] = OUTLINE
    return img


def check():
    img = [[TEAL] * W for _ in range(H)]
    # A thick tick: down-right from (2, 8) to (5, 11), then up-right to (11, 4).
    points = [(2 + i, 8 + i) for i in range(4)] + [(5 + i, 11 - i) for i in range(7)]
    for x, y in points:
        for dy in (0, 1, 2):
            if 0 <= y + dy < H:
                img[y + dy][x] = GREEN
    return img


def blank():
    return [[TEAL] * W for _ in range(H)]


def png(rows):
    width, height = len(rows[0]), len(rows)
    raw = b"".join(b"\x00" + bytes(c for px in row for c in px) for row in rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)  # 8-bit RGB
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def main():
    images = [lamp(True), lamp(False), check(), blank()]
    strip = [sum((img[y] for img in images), []) for y in range(H)]
    assert len(strip[0]) == W * COUNT
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).with_name("layer_images.png")
    out.write_bytes(png(strip))


if __name__ == "__main__":
    main()
