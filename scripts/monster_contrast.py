"""How far each monster at the far gate stands out from the floor around it.

usage: monster_contrast.py <folder>

The folder holds the same view with and without one monster of each kind
side by side (tools/cuepictures): gate.ppm and gate_empty.ppm, and the
scene's depths of both. A monster's pixels are those whose depth differs
between them (its shadow changes no depth); the floor it is seen against is
the empty picture's pixels within a few pixels around them. For each monster it prints the
relative luminance (BT.709, linear light) of both, the Weber contrast
(monster - floor) / floor, and the CIELAB colour difference (CIE76 delta E)
between their mean colours.
"""

import array
import os
import sys

KINDS = ["plain", "green", "red"]
MARGIN = 6  # pixels of floor around a monster


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    fields, at = [], 0
    while len(fields) < 4:
        while data[at:at + 1].isspace():
            at += 1
        start = at
        while not data[at:at + 1].isspace():
            at += 1
        fields.append(data[start:at])
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[at + 1:]


def read_depth(path, width):
    depth = array.array("f")
    with open(path, "rb") as f:
        depth.frombytes(f.read())
    # Bottom row first, as GL reads it; the pictures run top row first.
    height = len(depth) // width
    return [depth[(height - 1 - i // width) * width + i % width] for i in range(len(depth))]


def linear(c):
    c /= 255.0
    return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4


def lab(rgb):
    r, g, b = (linear(c) for c in rgb)
    x = (0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.9505
    y = 0.2126 * r + 0.7152 * g + 0.0722 * b
    z = (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.089

    def f(t):
        return t ** (1 / 3) if t > 0.008856 else 7.787 * t + 16 / 116

    return 116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z)), y


def mean(pixels, points):
    sums = [0.0, 0.0, 0.0]
    for i in points:
        for k in range(3):
            sums[k] += pixels[3 * i + k]
    return [s / len(points) for s in sums]


def main(folder):
    width, height, gate = read_ppm(os.path.join(folder, "gate.ppm"))
    _, _, empty = read_ppm(os.path.join(folder, "gate_empty.ppm"))
    depth = read_depth(os.path.join(folder, "gate.depth"), width)
    empty_depth = read_depth(os.path.join(folder, "gate_empty.depth"), width)
    changed = [i for i in range(width * height) if depth[i] != empty_depth[i]]
    if not changed:
        sys.exit("no monster pixels found")
    # The monsters stand side by side, on the screen from left to right:
    # plain, green, red (the camera looks along the world's +z, so +x is
    # on its left).
    columns = sorted({i % width for i in changed})
    groups, run = [], [columns[0]]
    for x in columns[1:]:
        if x - run[-1] > 3:
            groups.append(run)
            run = []
        run.append(x)
    groups.append(run)
    if len(groups) != len(KINDS):
        sys.exit(f"expected {len(KINDS)} monsters, found {len(groups)}")
    for kind, group in zip(KINDS, groups):
        left, right = group[0], group[-1]
        body = [i for i in changed if left <= i % width <= right]
        body_set = set(body)
        top = min(i // width for i in body)
        bottom = max(i // width for i in body)
        floor = [y * width + x
                 for y in range(max(0, top - MARGIN), min(height, bottom + MARGIN + 1))
                 for x in range(max(0, left - MARGIN), min(width, right + MARGIN + 1))
                 if y * width + x not in body_set]
        m, f = mean(gate, body), mean(empty, floor)
        lm, lf = lab(m), lab(f)
        delta_e = sum((lm[k] - lf[k]) ** 2 for k in range(3)) ** 0.5
        print(f"{kind:5s} monster: {len(body):4d} px, luminance {lm[3]:.3f} against "
              f"the floor's {lf[3]:.3f}, Weber contrast {(lm[3] - lf[3]) / lf[3]:+.2f}, "
              f"delta E {delta_e:.1f}")


if __name__ == "__main__":
    main(sys.argv[1])
