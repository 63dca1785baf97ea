#!/usr/bin/env python3
"""Draws the terrain pictures of the main window (app/res/terrains/*.bmp).

Each terrain gets a strip of four 33 x 33 pictures for its image list: picture 1
carries the "checked" marker (a 16 x 15 black-framed square of olive and maroon
pixels with a dark shadow four pixels to its lower right), pictures 0, 2 and 3
are the plain texture. The textures are drawn here from noise and simple shapes
with fixed seeds, so the same files come out on every run. Also draws the two
16 x 16 check-all and check-none pictures.

Run by hand when the artwork changes:  python3 tools/make-terrains.py
"""
import math
import os
import random
import struct
import sys

SIZE = 33


def clamp(v):
    return max(0, min(255, int(round(v))))


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


class Noise:
    """Smooth value noise that wraps round the picture's edges."""

    def __init__(self, rng, cells):
        self.cells = cells
        self.grid = [[rng.random() for _ in range(cells)] for _ in range(cells)]

    def at(self, x, y):
        fx = x * self.cells / SIZE
        fy = y * self.cells / SIZE
        x0, y0 = int(fx), int(fy)
        tx, ty = fx - x0, fy - y0
        tx, ty = tx * tx * (3 - 2 * tx), ty * ty * (3 - 2 * ty)
        g = self.grid
        n = self.cells
        a = g[y0 % n][x0 % n] + (g[y0 % n][(x0 + 1) % n] - g[y0 % n][x0 % n]) * tx
        b = g[(y0 + 1) % n][x0 % n] + (g[(y0 + 1) % n][(x0 + 1) % n] - g[(y0 + 1) % n][x0 % n]) * tx
        return a + (b - a) * ty


def layered(rng, octaves=(4, 8, 16)):
    layers = [Noise(rng, c) for c in octaves]
    weights = [0.55, 0.3, 0.15][: len(octaves)]

    def f(x, y):
        return sum(w * n.at(x, y) for w, n in zip(weights, layers))

    return f


def canvas(color):
    return [[tuple(color) for _ in range(SIZE)] for _ in range(SIZE)]


def put(img, x, y, color):
    if 0 <= x < SIZE and 0 <= y < SIZE:
        img[y][x] = tuple(color)


def blob(img, cx, cy, r, color, light=None, dark=None):
    """A round stone: its colour, lit at the upper left, shaded at the lower right."""
    for y in range(int(cy - r - 1), int(cy + r + 2)):
        for x in range(int(cx - r - 1), int(cx + r + 2)):
            d = math.hypot(x - cx, y - cy)
            if d <= r:
                c = color
                if light and (x - cx) + (y - cy) < -r * 0.6:
                    c = light
                elif dark and (x - cx) + (y - cy) > r * 0.5:
                    c = dark
                put(img, x % SIZE, y % SIZE, c)


def dirt(rng):
    n = layered(rng)
    img = [[mix((96, 64, 36), (150, 108, 64), n(x, y)) for x in range(SIZE)] for y in range(SIZE)]
    for _ in range(38):
        x, y = rng.randrange(SIZE), rng.randrange(SIZE)
        put(img, x, y, (74, 48, 26) if rng.random() < 0.6 else (176, 134, 86))
    for _ in range(5):
        blob(img, rng.uniform(0, SIZE), rng.uniform(0, SIZE), rng.uniform(0.8, 1.6),
             (124, 96, 70), (160, 132, 100), (84, 60, 40))
    return img


def sand(rng):
    n = layered(rng, (4, 16))
    img = []
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            # Ripples of the wind: dark crests running from lower left to upper right.
            ripple = math.sin((x * 0.55 + y * 1.0) + 1.3 * math.sin(x * 0.35))
            base = mix((226, 196, 124), (244, 222, 160), n(x, y))
            if ripple > 0.82:
                base = mix(base, (184, 150, 86), 0.65)
            elif ripple > 0.55:
                base = mix(base, (255, 240, 190), 0.5)
            row.append(base)
        img.append(row)
    for _ in range(30):
        put(img, rng.randrange(SIZE), rng.randrange(SIZE), (200, 168, 104))
    return img


def grass(rng):
    n = layered(rng)
    img = [[mix((46, 112, 30), (86, 160, 50), n(x, y)) for x in range(SIZE)] for y in range(SIZE)]
    # Blades: short strokes leaning a little, light at the tip, dark at the root.
    for _ in range(70):
        x, y = rng.randrange(SIZE), rng.randrange(SIZE)
        lean = rng.choice((-1, 0, 0, 1))
        length = rng.randint(2, 4)
        for i in range(length):
            c = (120, 190, 70) if i == length - 1 else (34, 90, 22)
            put(img, (x + (lean if i >= 2 else 0)) % SIZE, (y - i) % SIZE, c)
    for _ in range(3):
        x, y = rng.randrange(SIZE), rng.randrange(SIZE)
        put(img, x, y, (236, 226, 90))  # a flower
    return img


def snow(rng):
    n = layered(rng, (3, 8))
    img = []
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            v = n(x, y)
            # Soft drifts: blue-grey in their hollows.
            row.append(mix((188, 204, 230), (250, 252, 255), min(1.0, v * 1.5)))
        img.append(row)
    for _ in range(22):
        put(img, rng.randrange(SIZE), rng.randrange(SIZE), (255, 255, 255))
    for _ in range(10):
        put(img, rng.randrange(SIZE), rng.randrange(SIZE), (164, 182, 214))
    return img


def swamp(rng):
    n = layered(rng)
    w = layered(rng, (3, 6))
    img = []
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            ground = mix((54, 70, 30), (92, 104, 44), n(x, y))
            if w(x, y) > 0.5:
                # Murky pools with a greenish sheen.
                ground = mix((30, 54, 52), (52, 82, 70), n(x, y))
            row.append(ground)
        img.append(row)
    # Reed tufts: a few dark stalks with brown heads.
    for _ in range(7):
        x, y = rng.randrange(SIZE), rng.randrange(SIZE)
        for dx in (-1, 0, 1):
            for i in range(rng.randint(2, 4)):
                put(img, (x + dx) % SIZE, (y - i) % SIZE, (28, 52, 18))
        put(img, x, (y - 4) % SIZE, (110, 74, 36))
    return img


def rough(rng):
    n = layered(rng)
    img = [[mix((120, 104, 82), (164, 148, 118), n(x, y)) for x in range(SIZE)] for y in range(SIZE)]
    # Cracks in the hard ground.
    for _ in range(3):
        x, y = rng.uniform(0, SIZE), rng.uniform(0, SIZE)
        a = rng.uniform(0, math.pi * 2)
        for _ in range(14):
            put(img, int(x) % SIZE, int(y) % SIZE, (82, 70, 54))
            a += rng.uniform(-0.7, 0.7)
            x += math.cos(a)
            y += math.sin(a)
    # Stones of several sizes.
    for _ in range(9):
        r = rng.uniform(1.2, 3.2)
        g = rng.randint(118, 150)
        blob(img, rng.uniform(0, SIZE), rng.uniform(0, SIZE), r, (g, g - 6, g - 14),
             (g + 50, g + 46, g + 38), (g - 52, g - 56, g - 60))
    return img


def subterranean(rng):
    n = layered(rng)
    img = [[mix((58, 46, 40), (100, 82, 66), n(x, y)) for x in range(SIZE)] for y in range(SIZE)]
    # Flagstones of the cave floor: dark joints, a lit upper edge on each stone.
    for y in range(SIZE):
        offset = 0 if (y // 11) % 2 == 0 else 6
        for x in range(SIZE):
            if y % 11 == 0 or (x + offset) % 12 == 0:
                img[y][x] = (30, 24, 22)
            elif y % 11 == 1 or (x + offset) % 12 == 1:
                img[y][x] = mix(img[y][x], (140, 120, 100), 0.5)
    for _ in range(24):
        put(img, rng.randrange(SIZE), rng.randrange(SIZE), (44, 36, 32))
    return img


def lava(rng):
    n = layered(rng, (5, 10))
    img = [[mix((34, 22, 20), (70, 44, 36), n(x, y)) for x in range(SIZE)] for y in range(SIZE)]
    # Glowing rivers between the cooled crust: white-yellow in the middle, red at the edge.
    for _ in range(4):
        x, y = rng.uniform(0, SIZE), rng.uniform(0, SIZE)
        a = rng.uniform(0, math.pi * 2)
        for _ in range(26):
            for dx in (-1, 0, 1):
                for dy in (-1, 0, 1):
                    if dx or dy:
                        if img[int(y + dy) % SIZE][int(x + dx) % SIZE][0] < 150:
                            put(img, int(x + dx) % SIZE, int(y + dy) % SIZE, (200, 40, 10))
            put(img, int(x) % SIZE, int(y) % SIZE, (255, 200, 40) if rng.random() < 0.5 else (255, 140, 20))
            a += rng.uniform(-0.6, 0.6)
            x += math.cos(a)
            y += math.sin(a)
    return img


def water(rng):
    n = layered(rng, (3, 8))
    img = [[mix((22, 62, 148), (46, 104, 196), n(x, y)) for x in range(SIZE)] for y in range(SIZE)]
    # Little wave crests: light arcs with a dark trough below.
    for _ in range(11):
        cx, cy = rng.randrange(SIZE), rng.randrange(SIZE)
        for dx in range(-3, 4):
            dy = 0 if abs(dx) < 2 else 1
            put(img, (cx + dx) % SIZE, (cy + dy) % SIZE, (170, 210, 250) if abs(dx) < 3 else (110, 160, 225))
            put(img, (cx + dx) % SIZE, (cy + dy + 1) % SIZE, (18, 48, 120))
    return img


TERRAINS = [
    ("Dirt", dirt), ("Sand", sand), ("Grass", grass), ("Snow", snow), ("Swamp", swamp),
    ("Rough", rough), ("Subterranean", subterranean), ("Lava", lava), ("Water", water),
]

OLIVE = (128, 128, 0)
MAROON = (128, 0, 0)
BLACK = (0, 0, 0)
MARK_W, MARK_H = 16, 15
MARK_X, MARK_Y = (SIZE - MARK_W) // 2, (SIZE - MARK_H) // 2


def with_marker(texture):
    img = [row[:] for row in texture]
    # The shadow, four pixels to the lower right, darkens what lies under it.
    for y in range(MARK_Y + 4, MARK_Y + 4 + MARK_H):
        for x in range(MARK_X + 4, MARK_X + 4 + MARK_W):
            img[y][x] = mix(img[y][x], BLACK, 0.7)
    for y in range(MARK_Y, MARK_Y + MARK_H):
        for x in range(MARK_X, MARK_X + MARK_W):
            edge = x in (MARK_X, MARK_X + MARK_W - 1) or y in (MARK_Y, MARK_Y + MARK_H - 1)
            img[y][x] = BLACK if edge else (OLIVE if (x + y) % 2 == 0 else MAROON)
    return img


def write_bmp(path, pictures):
    """A 24-bit bottom-up bitmap of the pictures side by side."""
    height = len(pictures[0])
    width = sum(len(p[0]) for p in pictures)
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for p in pictures:
            for c in p[y]:
                row += bytes((clamp(c[2]), clamp(c[1]), clamp(c[0])))
        row += b"\0" * (stride - len(row))
        pixels += row
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


def button(cross):
    """The raised grey square of the check-all and check-none pictures."""
    s = 16
    img = [[(192, 192, 192) for _ in range(s)] for _ in range(s)]
    for i in range(s):
        img[0][i] = img[i][0] = (240, 240, 240)
        img[s - 1][i] = img[i][s - 1] = (96, 96, 96)
    for i in range(1, s - 1):
        img[1][i] = img[i][1] = (222, 222, 222) if i < s - 2 else img[1][i]
        img[s - 2][i] = img[i][s - 2] = (144, 144, 144)
    if cross:
        # A red diagonal cross, symmetric about the middle of the square.
        for y in range(3, 13):
            for x in range(3, 13):
                for d in (x - y, x + y - 15):
                    if d == 0 or (abs(d) == 1 and 4 <= x <= 11 and 4 <= y <= 11):
                        img[y][x] = (208, 0, 0)
    return img


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "app", "res", "terrains")
    out = sys.argv[1] if len(sys.argv) > 1 else root
    os.makedirs(out, exist_ok=True)
    for seed, (name, draw) in enumerate(TERRAINS, start=1):
        texture = draw(random.Random(seed * 7919))
        write_bmp(os.path.join(out, name + ".bmp"), [texture, with_marker(texture), texture, texture])
    write_bmp(os.path.join(out, "CheckAll.bmp"), [button(True)])
    write_bmp(os.path.join(out, "CheckNone.bmp"), [button(False)])
    print("wrote", os.path.normpath(out))


if __name__ == "__main__":
    main()
