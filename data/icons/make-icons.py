#!/usr/bin/env python3
"""Draws quendrix.svg's shapes into the PNG icons, with nothing but the standard library.

Run it from this folder after changing the drawing; the PNGs are committed."""
import math
import struct
import zlib

TILE = (0x1D, 0x5F, 0x8F)
DROP = (0xFF, 0xFF, 0xFF)
SAMPLES = 4  # per pixel and axis


def in_tile(x, y):
    # Rounded square 2..62 with corner radius 12.
    if not (2 <= x <= 62 and 2 <= y <= 62):
        return False
    cx = min(max(x, 14), 50)
    cy = min(max(y, 14), 50)
    return (x - cx) ** 2 + (y - cy) ** 2 <= 144


def in_drop(x, y):
    # A circle of radius 14 at (32, 38) and the triangle from the tip (32, 10) to the
    # points where its tangents touch the circle.
    if (x - 32) ** 2 + (y - 38) ** 2 <= 196:
        return True
    half = 12.124 * (y - 10) / 21
    return 10 <= y <= 31 and abs(x - 32) <= half


def in_rotor(x, y):
    distance = math.hypot(x - 32, y - 38)
    return 4 <= distance <= 7


def colour_at(x, y):
    if in_drop(x, y) and not in_rotor(x, y):
        return DROP
    if in_tile(x, y):
        return TILE
    return None


def render(size):
    rows = []
    scale = 64 / size
    for py in range(size):
        row = bytearray([0])  # filter: none
        for px in range(size):
            total = [0, 0, 0]
            covered = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) / SAMPLES) * scale
                    y = (py + (sy + 0.5) / SAMPLES) * scale
                    colour = colour_at(x, y)
                    if colour is not None:
                        covered += 1
                        total = [t + c for t, c in zip(total, colour)]
            if covered:
                row += bytes(round(t / covered) for t in total)
            else:
                row += bytes(3)
            row.append(round(255 * covered / SAMPLES**2))
        rows.append(bytes(row))
    return png(size, b"".join(rows))


def png(size, raw):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


for size in (48, 256):
    with open(f"quendrix-{size}.png", "wb") as out:
        out.write(render(size))
