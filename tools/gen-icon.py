#!/usr/bin/env python3
"""Draws the program's icon (a wave over a dark tile) at 16 and 32 pixels and writes it as a
Windows .ico with 32-bit images: resources/NuvornSoundEditor.ico."""
import math
import struct
import sys


def pixel(size, x, y):
    """BGRA of one pixel; the drawing is defined on a unit square so both sizes agree."""
    u, v = (x + 0.5) / size, (y + 0.5) / size
    # Rounded tile with a one-pixel transparent margin.
    m, r = 1.0 / size, 0.18
    cx, cy = min(max(u, m + r), 1 - m - r), min(max(v, m + r), 1 - m - r)
    if math.hypot(u - cx, v - cy) > r:
        return (0, 0, 0, 0)
    # One and a half periods of a damped wave across the tile.
    wave = 0.5 - 0.26 * math.sin((u - 0.12) * 3.0 * math.pi) * (1.15 - 0.6 * u)
    width = 1.6 / size
    if 0.12 <= u <= 0.88 and abs(v - wave) < width:
        return (250, 240, 200, 255)
    # A small amber marker where the wave starts.
    if math.hypot(u - 0.2, v - 0.78) < 0.08:
        return (40, 170, 250, 255)
    shade = int(70 + 50 * (1 - v))
    return (shade, int(shade * 0.45), 30, 255)


def image(size):
    rows = []
    for y in reversed(range(size)):  # bottom-up
        rows.append(b"".join(bytes(pixel(size, x, y)) for x in range(size)))
    xor = b"".join(rows)
    mask_row = ((size + 31) // 32) * 4
    and_mask = bytes(mask_row * size)  # the alpha channel decides
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
    return header + xor + and_mask


def main(path):
    sizes = [16, 32]
    images = [image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "resources/NuvornSoundEditor.ico")
