#!/usr/bin/env python3
"""Draw the application icon of the window program: a small red planet.

    python3 tools/make_icon.py          write app/huoxing.ico
    python3 tools/make_icon.py --check  compare with the committed file (exit 1 on a difference)

The icon holds 16, 24, 32, 48 and 64 pixel images, 32-bit with alpha, each
drawn from the same shapes with 4x4 samples a pixel. Plain Python, no image
library.
"""

import argparse
import math
import os
import struct
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ICON_PATH = os.path.join(ROOT, "app", "huoxing.ico")
SIZES = (16, 24, 32, 48, 64)
SAMPLES = 4

# In units of the image side, origin top left.
PLANET = (0.5, 0.5, 0.44)
CRATERS = ((0.36, 0.40, 0.085), (0.62, 0.63, 0.11), (0.60, 0.31, 0.055), (0.34, 0.70, 0.05))
LIGHT = (-0.55, -0.6, 0.58)  # from the upper left, towards the viewer
LIT = (247, 142, 76)
SHADED = (122, 30, 14)
CRATER_DARKENING = 0.72


def shade(x, y):
    """Colour of the planet at (x, y) in image units, or None outside it."""
    cx, cy, r = PLANET
    dx, dy = (x - cx) / r, (y - cy) / r
    d2 = dx * dx + dy * dy
    if d2 > 1.0:
        return None
    dz = math.sqrt(1.0 - d2)
    length = math.sqrt(sum(c * c for c in LIGHT))
    light = max(0.0, (dx * LIGHT[0] + dy * LIGHT[1] + dz * LIGHT[2]) / length)
    t = 0.15 + 0.85 * light
    colour = [s + (l - s) * t for l, s in zip(LIT, SHADED)]
    for kx, ky, kr in CRATERS:
        if (x - kx) ** 2 + (y - ky) ** 2 <= kr * kr:
            colour = [c * CRATER_DARKENING for c in colour]
            break
    return colour


def render(size):
    """Rows of (b, g, r, a) from the top, straight alpha."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            total = [0.0, 0.0, 0.0]
            covered = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    colour = shade((px + (sx + 0.5) / SAMPLES) / size, (py + (sy + 0.5) / SAMPLES) / size)
                    if colour is not None:
                        covered += 1
                        total = [t + c for t, c in zip(total, colour)]
            if covered == 0:
                row.append((0, 0, 0, 0))
                continue
            r, g, b = (round(t / covered) for t in total)
            row.append((b, g, r, round(255 * covered / (SAMPLES * SAMPLES))))
        rows.append(row)
    return rows


def bitmap(size):
    """One icon image: BITMAPINFOHEADER, BGRA rows bottom up, AND mask."""
    rows = render(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes(channel for pixel in row for channel in pixel) for row in reversed(rows))
    mask_stride = (size + 31) // 32 * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, pixel in enumerate(row):
            if pixel[3] == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + pixels + bytes(mask)


def icon():
    images = [bitmap(size) for size in SIZES]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b""
    for size, image in zip(SIZES, images):
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return directory + entries + b"".join(images)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--check", action="store_true", help="compare with the committed icon, write nothing")
    args = parser.parse_args(argv)
    data = icon()
    relative = os.path.relpath(ICON_PATH, ROOT)
    if args.check:
        with open(ICON_PATH, "rb") as f:
            if f.read() != data:
                print(f"make_icon: {relative} differs from what the script draws; run: python3 tools/make_icon.py")
                return 1
        return 0
    with open(ICON_PATH, "wb") as f:
        f.write(data)
    print(f"make_icon: wrote {relative}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
