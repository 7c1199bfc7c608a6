#!/usr/bin/env python3
"""Draws Ondrix's two icons: one period of a sine in grey over a silver axis,
16 colours (4 bits per pixel) with a transparency mask.

Usage: scripts/make_icons.py [OUTPUT_DIR]   (default: src/app)
Writes sine_zzzicon.ico (16x16) and sine_large.ico (32x32). The output is
deterministic, so the committed files can be checked by running this again.
"""

import math
import os
import struct
import sys

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
SILVER = 7
GREY = 8
TRANSPARENT = None


def sine_pixels(size, thickness):
    """Rows top to bottom of palette indices, None where transparent."""
    pixels = [[TRANSPARENT] * size for _ in range(size)]
    middle = (size - 1) / 2.0
    amplitude = middle - thickness
    for x in range(size):
        pixels[int(round(middle))][x] = SILVER

    def curve_y(x):
        return int(round(middle - amplitude * math.sin(2.0 * math.pi * x / (size - 1))))

    previous = curve_y(0)
    for x in range(size):
        y = curve_y(x)
        # Join steep parts with a vertical run so that the curve has no gaps.
        low, high = min(previous, y), max(previous, y)
        if high - low > 1:
            low += 1 if y > previous else 0
            high -= 1 if y < previous else 0
        for row in range(min(low, y), max(high, y) + 1):
            for extra in range(thickness):
                if 0 <= row + extra < size:
                    pixels[row + extra][x] = GREY
        previous = y
    return pixels


def icon_image(pixels):
    """BITMAPINFOHEADER, palette, 4-bit colour bits and 1-bit mask, rows bottom-up."""
    size = len(pixels)
    colour_stride = ((size * 4 + 31) // 32) * 4
    mask_stride = ((size + 31) // 32) * 4
    colour_bits = bytearray()
    mask_bits = bytearray()
    for row in reversed(pixels):
        line = bytearray(colour_stride)
        mask = bytearray(mask_stride)
        for x, index in enumerate(row):
            value = 0 if index is TRANSPARENT else index
            line[x // 2] |= value << (4 if x % 2 == 0 else 0)
            if index is TRANSPARENT:
                mask[x // 8] |= 0x80 >> (x % 8)
        colour_bits += line
        mask_bits += mask
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0,
                         len(colour_bits) + len(mask_bits), 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    return header + palette + bytes(colour_bits) + bytes(mask_bits)


def icon_file(pixels):
    size = len(pixels)
    image = icon_image(pixels)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "src", "app")
    for name, size, thickness in (("sine_zzzicon.ico", 16, 1), ("sine_large.ico", 32, 2)):
        with open(os.path.join(out_dir, name), "wb") as f:
            f.write(icon_file(sine_pixels(size, thickness)))


if __name__ == "__main__":
    main()
