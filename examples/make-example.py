#!/usr/bin/env python3
"""Draws the example picture harbour.png (a harbour with a lighthouse, a boat and the sun)."""
import math
import struct
import zlib
from pathlib import Path

WIDTH, HEIGHT = 320, 200


def colour_at(x, y):
    if (x - 260) ** 2 + (y - 45) ** 2 <= 24 ** 2:
        return (250, 200, 40)                      # sun
    if 60 <= x <= 90 and 40 <= y <= 140:
        band = ((y - 40) // 20) % 2
        return (200, 40, 40) if band == 0 else (240, 240, 240)   # lighthouse
    if 50 <= x <= 100 and 30 <= y < 40:
        return (60, 60, 60)                        # lamp room
    hull_top, hull_bottom = 150, 170
    if hull_top <= y <= hull_bottom and 170 + (y - hull_top) <= x <= 280 - (y - hull_top):
        return (120, 70, 30)                       # boat hull
    if 222 <= x <= 226 and 95 <= y < hull_top:
        return (90, 60, 30)                        # mast
    if 180 <= x < 222 and 100 <= y < hull_top - 5 and x >= 222 - (y - 100) * 42 // 45:
        return (250, 250, 235)                     # sail
    if y >= 140:
        wave = int(3 * math.sin(x / 9.0 + y / 5.0))
        return (30, 90 + wave * 4, 160 + wave * 6)  # sea
    return (150, 200 + y // 10, 245)               # sky


def png_chunk(kind, data):
    chunk = kind + data
    return struct.pack(">I", len(data)) + chunk + struct.pack(">I", zlib.crc32(chunk) & 0xFFFFFFFF)


def main():
    rows = bytearray()
    for y in range(HEIGHT):
        rows.append(0)
        for x in range(WIDTH):
            rows.extend(colour_at(x, y))
    png = b"\x89PNG\r\n\x1a\n"
    png += png_chunk(b"IHDR", struct.pack(">IIBBBBB", WIDTH, HEIGHT, 8, 2, 0, 0, 0))
    png += png_chunk(b"IDAT", zlib.compress(bytes(rows), 9))
    png += png_chunk(b"IEND", b"")
    Path(__file__).with_name("harbour.png").write_bytes(png)


if __name__ == "__main__":
    main()
