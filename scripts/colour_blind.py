"""Pictures as a protanope and a deuteranope see them.

usage: colour_blind.py <picture.ppm>...

Writes <name>-protanopia.ppm and <name>-deuteranopia.ppm beside each
binary PPM picture. The simulation is Machado, Oliveira and Fernandes
(2009) at severity 1.0, whose matrices act on linear RGB: each pixel is
decoded from sRGB, multiplied, clipped to the displayable range and encoded
to sRGB again.
"""

import os
import sys

from monster_contrast import linear, read_ppm

MATRICES = {
    "protanopia": ((0.152286, 1.052583, -0.204868),
                   (0.114503, 0.786281, 0.099216),
                   (-0.003882, -0.048116, 1.051998)),
    "deuteranopia": ((0.367322, 0.860646, -0.227968),
                     (0.280085, 0.672501, 0.047413),
                     (-0.011820, 0.042940, 0.968881)),
}

DECODED = [linear(float(c)) for c in range(256)]


def encoded(value):
    value = min(1.0, max(0.0, value))
    srgb = value * 12.92 if value <= 0.0031308 else 1.055 * value ** (1 / 2.4) - 0.055
    return round(srgb * 255)


def simulate(pixels, matrix):
    out = bytearray(len(pixels))
    seen = {}
    for i in range(0, len(pixels), 3):
        rgb = bytes(pixels[i:i + 3])
        if rgb not in seen:
            r, g, b = (DECODED[c] for c in rgb)
            seen[rgb] = bytes(encoded(row[0] * r + row[1] * g + row[2] * b) for row in matrix)
        out[i:i + 3] = seen[rgb]
    return out


def main(paths):
    for path in paths:
        width, height, pixels = read_ppm(path)
        stem = os.path.splitext(path)[0]
        for name, matrix in MATRICES.items():
            with open(f"{stem}-{name}.ppm", "wb") as f:
                f.write(b"P6\n%d %d\n255\n" % (width, height))
                f.write(simulate(pixels[:width * height * 3], matrix))


if __name__ == "__main__":
    main(sys.argv[1:])
