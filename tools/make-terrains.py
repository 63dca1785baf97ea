#!/usr/bin/env python3
"""Draws the terrain pictures of the main window (app/res/terrains/) at five
display scales: 100, 125, 150, 175 and 200 %.

Each terrain gets a strip of four square pictures for its image list (33 x 33 at
100 %): picture 1 carries the "checked" marker (a 16 x 15 black-framed square of
olive and maroon pixels with a dark shadow four pixels to its lower right),
pictures 0, 2 and 3 are the plain texture. Also draws the two 16 x 16 check-all
and check-none pictures.

Every scale draws the same artwork at its own size: sizes are the 100 % ones
times the scale, rounded half away from zero; the noise of the textures is
sampled at every pixel, stones are round at any size, and specks, strokes,
frames and marks are as many pixels thick as the scale makes one. Each scale
makes the same random draws from fixed seeds, so the same files come out on
every run, and the 100 % files are the ones drawn before there were scales.

  100 %       terrains/<name>.bmp, 24-bit (the BITMAP resources)
  125-200 %   terrains/<percent>/<name>.bmp.z, an 8-bit BMP with a palette
              of exactly its colours, zlib-compressed (the RCDATA resources)

Run by hand when the artwork changes:  python3 tools/make-terrains.py [FOLDER]
"""
import math
import os
import random
import struct
import sys
import zlib

BASE = 33  # a terrain picture's side at 100 %
CHECK_BASE = 16  # a check picture's side at 100 %
SCALES = (100, 125, 150, 175, 200)


def scaled(length, percent):
    """length x percent / 100, rounded half away from zero (length >= 0)."""
    return (length * percent * 2 + 100) // 200


def half_up(v):
    """v rounded half away from zero, for v >= 0."""
    return int(math.floor(v + 0.5))


def clamp(v):
    return max(0, min(255, int(round(v))))


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


class Grid:
    """A square picture of n pixels whose artwork is laid out in BASE units.

    A unit is k = n / BASE pixels; a line one unit thick is `line` pixels."""

    def __init__(self, percent):
        self.n = scaled(BASE, percent)
        self.k = self.n / BASE
        self.line = scaled(1, percent)
        self.img = [[(0, 0, 0)] * self.n for _ in range(self.n)]

    def unit(self, p):
        """The artwork coordinate of pixel p's centre (p itself at 100 %)."""
        return (p + 0.5) / self.k - 0.5

    def fill(self, color_at):
        u = [self.unit(p) for p in range(self.n)]
        self.img = [[color_at(u[x], u[y]) for x in range(self.n)] for y in range(self.n)]

    def put(self, x, y, color):
        self.img[y % self.n][x % self.n] = tuple(color)

    def start(self, u):
        """The first pixel of a line-thick dot centred on unit cell u."""
        return int(math.floor((u + 0.5) * self.k - (self.line - 1) / 2))

    def dot(self, u, v, color, down=0):
        """A line x line square over cell (u, v), wrapping round the edges;
        `down` lines lower."""
        x0, y0 = self.start(u), self.start(v) + down * self.line
        for y in range(y0, y0 + self.line):
            for x in range(x0, x0 + self.line):
                self.put(x, y, color)

    def track(self, u):
        """A point of a walk as the cell a dot is drawn on: the whole unit at
        100 %, as the artwork always had it; the exact point when scaled up."""
        return math.trunc(u) if self.n == BASE else u - 0.5

    def steps(self, a, b):
        """The points from cell a to cell b (b included) close enough for the
        dots to join."""
        if a is None:
            return [b]
        count = max(1, math.ceil(self.k / self.line))
        return [(a[0] + (b[0] - a[0]) * i / count, a[1] + (b[1] - a[1]) * i / count) for i in range(1, count + 1)]

    def stroke(self, cells, colors):
        """Dots over the cells in order, joined; the way to a cell takes its colour."""
        last = None
        for cell, color in zip(cells, colors):
            for u, v in self.steps(last, cell):
                self.dot(u, v, color)
            last = cell


class Noise:
    """Smooth value noise that wraps round the picture's edges."""

    def __init__(self, rng, cells):
        self.cells = cells
        self.grid = [[rng.random() for _ in range(cells)] for _ in range(cells)]

    def at(self, x, y):
        fx = x * self.cells / BASE
        fy = y * self.cells / BASE
        x0, y0 = math.floor(fx), math.floor(fy)
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


def speck(rng):
    """A random cell."""
    return rng.randrange(BASE), rng.randrange(BASE)


def blob(g, cx, cy, r, color, light=None, dark=None):
    """A round stone: its colour, lit at the upper left, shaded at the lower right."""
    for py in range(math.floor((cy - r - 1) * g.k), math.ceil((cy + r + 2) * g.k)):
        y = g.unit(py)
        for px in range(math.floor((cx - r - 1) * g.k), math.ceil((cx + r + 2) * g.k)):
            x = g.unit(px)
            d = math.hypot(x - cx, y - cy)
            if d <= r:
                c = color
                if light and (x - cx) + (y - cy) < -r * 0.6:
                    c = light
                elif dark and (x - cx) + (y - cy) > r * 0.5:
                    c = dark
                g.put(px, py, c)


def dirt(rng, g):
    n = layered(rng)
    g.fill(lambda x, y: mix((96, 64, 36), (150, 108, 64), n(x, y)))
    for _ in range(38):
        x, y = speck(rng)
        g.dot(x, y, (74, 48, 26) if rng.random() < 0.6 else (176, 134, 86))
    for _ in range(5):
        blob(g, rng.uniform(0, BASE), rng.uniform(0, BASE), rng.uniform(0.8, 1.6),
             (124, 96, 70), (160, 132, 100), (84, 60, 40))


def sand(rng, g):
    n = layered(rng, (4, 16))

    def at(x, y):
        # Ripples of the wind: dark crests running from lower left to upper right.
        ripple = math.sin((x * 0.55 + y * 1.0) + 1.3 * math.sin(x * 0.35))
        base = mix((226, 196, 124), (244, 222, 160), n(x, y))
        if ripple > 0.82:
            base = mix(base, (184, 150, 86), 0.65)
        elif ripple > 0.55:
            base = mix(base, (255, 240, 190), 0.5)
        return base

    g.fill(at)
    for _ in range(30):
        g.dot(*speck(rng), (200, 168, 104))


def grass(rng, g):
    n = layered(rng)
    g.fill(lambda x, y: mix((46, 112, 30), (86, 160, 50), n(x, y)))
    # Blades: short strokes leaning a little, light at the tip, dark at the root.
    for _ in range(70):
        x, y = speck(rng)
        lean = rng.choice((-1, 0, 0, 1))
        length = rng.randint(2, 4)
        g.stroke([(x + (lean if i >= 2 else 0), y - i) for i in range(length)],
                 [(120, 190, 70) if i == length - 1 else (34, 90, 22) for i in range(length)])
    for _ in range(3):
        g.dot(*speck(rng), (236, 226, 90))  # a flower


def snow(rng, g):
    n = layered(rng, (3, 8))
    # Soft drifts: blue-grey in their hollows.
    g.fill(lambda x, y: mix((188, 204, 230), (250, 252, 255), min(1.0, n(x, y) * 1.5)))
    for _ in range(22):
        g.dot(*speck(rng), (255, 255, 255))
    for _ in range(10):
        g.dot(*speck(rng), (164, 182, 214))


def swamp(rng, g):
    n = layered(rng)
    w = layered(rng, (3, 6))

    def at(x, y):
        if w(x, y) > 0.5:
            # Murky pools with a greenish sheen.
            return mix((30, 54, 52), (52, 82, 70), n(x, y))
        return mix((54, 70, 30), (92, 104, 44), n(x, y))

    g.fill(at)
    # Reed tufts: a few dark stalks with brown heads.
    for _ in range(7):
        x, y = speck(rng)
        for dx in (-1, 0, 1):
            length = rng.randint(2, 4)
            g.stroke([(x + dx, y - i) for i in range(length)], [(28, 52, 18)] * length)
        g.dot(x, y - 4, (110, 74, 36))


def rough(rng, g):
    n = layered(rng)
    g.fill(lambda x, y: mix((120, 104, 82), (164, 148, 118), n(x, y)))
    # Cracks in the hard ground.
    for _ in range(3):
        x, y = rng.uniform(0, BASE), rng.uniform(0, BASE)
        a = rng.uniform(0, math.pi * 2)
        cells = []
        for _ in range(14):
            cells.append((g.track(x), g.track(y)))
            a += rng.uniform(-0.7, 0.7)
            x += math.cos(a)
            y += math.sin(a)
        g.stroke(cells, [(82, 70, 54)] * len(cells))
    # Stones of several sizes.
    for _ in range(9):
        r = rng.uniform(1.2, 3.2)
        c = rng.randint(118, 150)
        blob(g, rng.uniform(0, BASE), rng.uniform(0, BASE), r, (c, c - 6, c - 14),
             (c + 50, c + 46, c + 38), (c - 52, c - 56, c - 60))


def bands(p, period, k):
    """Where pixel p lies in bands `period` units wide: its band and its pixel
    in the band, the band's first pixels being the joint."""
    band = math.floor(p / (period * k))
    while half_up((band + 1) * period * k) <= p:
        band += 1
    while half_up(band * period * k) > p:
        band -= 1
    return band, p - half_up(band * period * k)


def subterranean(rng, g):
    n = layered(rng)
    g.fill(lambda x, y: mix((58, 46, 40), (100, 82, 66), n(x, y)))
    # Flagstones of the cave floor: dark joints, a lit upper edge on each stone;
    # every other row of stones is shifted by half a stone.
    line = g.line
    for y in range(g.n):
        row, in_row = bands(y, 11, g.k)
        offset = 0 if row % 2 == 0 else half_up(6 * g.k)
        for x in range(g.n):
            _, in_column = bands(x + offset, 12, g.k)
            if in_row < line or in_column < line:
                g.img[y][x] = (30, 24, 22)
            elif in_row < 2 * line or in_column < 2 * line:
                g.img[y][x] = mix(g.img[y][x], (140, 120, 100), 0.5)
    for _ in range(24):
        g.dot(*speck(rng), (44, 36, 32))


def lava(rng, g):
    n = layered(rng, (5, 10))
    g.fill(lambda x, y: mix((34, 22, 20), (70, 44, 36), n(x, y)))
    # Glowing rivers between the cooled crust: white-yellow in the middle, red at the edge.
    for _ in range(4):
        x, y = rng.uniform(0, BASE), rng.uniform(0, BASE)
        a = rng.uniform(0, math.pi * 2)
        last = None
        for _ in range(26):
            core = (255, 200, 40) if rng.random() < 0.5 else (255, 140, 20)
            for ux, uy in g.steps(last, (x, y)):
                for dx in (-1, 0, 1):
                    for dy in (-1, 0, 1):
                        if dx or dy:
                            glow(g, g.track(ux + dx), g.track(uy + dy))
                g.dot(g.track(ux), g.track(uy), core)
            last = (x, y)
            a += rng.uniform(-0.6, 0.6)
            x += math.cos(a)
            y += math.sin(a)


def glow(g, u, v):
    """The red edge of a lava river over cell (u, v), where no river is yet."""
    x0, y0 = g.start(u), g.start(v)
    for y in range(y0, y0 + g.line):
        for x in range(x0, x0 + g.line):
            if g.img[y % g.n][x % g.n][0] < 150:
                g.put(x, y, (200, 40, 10))


def water(rng, g):
    n = layered(rng, (3, 8))
    g.fill(lambda x, y: mix((22, 62, 148), (46, 104, 196), n(x, y)))
    # Little wave crests: light arcs with a dark trough below.
    for _ in range(11):
        cx, cy = speck(rng)
        for dx in range(-3, 4):
            dy = 0 if abs(dx) < 2 else 1
            g.dot(cx + dx, cy + dy, (170, 210, 250) if abs(dx) < 3 else (110, 160, 225))
            g.dot(cx + dx, cy + dy, (18, 48, 120), down=1)


TERRAINS = [
    ("Dirt", dirt), ("Sand", sand), ("Grass", grass), ("Snow", snow), ("Swamp", swamp),
    ("Rough", rough), ("Subterranean", subterranean), ("Lava", lava), ("Water", water),
]

OLIVE = (128, 128, 0)
MAROON = (128, 0, 0)
BLACK = (0, 0, 0)


def with_marker(texture, percent):
    """The texture with the "checked" marker in its middle."""
    img = [row[:] for row in texture]
    size = len(img)
    w, h = scaled(16, percent), scaled(15, percent)
    left, top = (size - w) // 2, (size - h) // 2
    frame, shadow = scaled(1, percent), scaled(4, percent)
    # The shadow, to the lower right, darkens what lies under it.
    for y in range(top + shadow, top + shadow + h):
        for x in range(left + shadow, left + shadow + w):
            img[y][x] = mix(img[y][x], BLACK, 0.7)
    # The chequer's squares are a frame wide; its upper left one is maroon.
    for y in range(top, top + h):
        for x in range(left, left + w):
            edge = min(x - left, y - top, left + w - 1 - x, top + h - 1 - y) < frame
            square = (x - left) // frame + (y - top) // frame + 1
            img[y][x] = BLACK if edge else (OLIVE if square % 2 == 0 else MAROON)
    return img


def button(cross, percent):
    """The raised grey square of the check-all and check-none pictures."""
    s = scaled(CHECK_BASE, percent)
    line = scaled(1, percent)
    img = [[(192, 192, 192) for _ in range(s)] for _ in range(s)]
    for t in range(line):
        lo, hi = t, s - 1 - t
        for i in range(lo, hi + 1):
            img[lo][i] = img[i][lo] = (240, 240, 240)
            img[hi][i] = img[i][hi] = (96, 96, 96)
    for t in range(line):
        lo, hi = line + t, s - 1 - line - t
        for i in range(lo, hi + 1):
            img[lo][i] = img[i][lo] = (222, 222, 222) if i < hi else img[lo][i]
            img[hi][i] = img[i][hi] = (144, 144, 144)
    if cross:
        # A red diagonal cross, symmetric about the middle of the square: three
        # diagonals thick at 100 %, its four tips one.
        k = percent / 100
        thick, tip = half_up((3 * k - 1) / 2), half_up((k - 1) / 2)

        def within(p, lo, hi):
            return lo * k <= p + 0.5 < hi * k

        for y in range(s):
            for x in range(s):
                for d in (x - y, x + y - (s - 1)):
                    if within(x, 3, 13) and within(y, 3, 13):
                        inner = within(x, 4, 12) and within(y, 4, 12)
                        if abs(d) <= (thick if inner else tip):
                            img[y][x] = (208, 0, 0)
    return img


def bmp24(pictures):
    """A 24-bit bottom-up bitmap file of the pictures side by side."""
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
    return header + info + pixels


def bmp8(pictures):
    """An 8-bit bottom-up bitmap file of the pictures side by side, with a
    palette of exactly their colours (no picture has more than 256)."""
    height = len(pictures[0])
    rows = [[tuple(clamp(v) for v in c) for p in pictures for c in p[y]] for y in range(height)]
    width = len(rows[0])
    palette = sorted({c for row in rows for c in row})
    if len(palette) > 256:
        raise SystemExit("a picture has %d colours, more than an 8-bit bitmap holds" % len(palette))
    index = {c: i for i, c in enumerate(palette)}
    stride = (width + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        pixels += bytes(index[c] for c in row) + b"\0" * (stride - width)
    colours = b"".join(bytes((c[2], c[1], c[0], 0)) for c in palette)
    offset = 14 + 40 + len(colours)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(pixels), 2835, 2835, len(palette), 0)
    return header + info + colours + pixels


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "app", "res", "terrains")
    out = sys.argv[1] if len(sys.argv) > 1 else root
    for percent in SCALES:
        folder = out if percent == 100 else os.path.join(out, str(percent))
        os.makedirs(folder, exist_ok=True)
        files = []
        for seed, (name, draw) in enumerate(TERRAINS, start=1):
            g = Grid(percent)
            draw(random.Random(seed * 7919), g)
            texture = g.img
            files.append((name, [texture, with_marker(texture, percent), texture, texture]))
        files.append(("CheckAll", [button(True, percent)]))
        files.append(("CheckNone", [button(False, percent)]))
        for name, pictures in files:
            if percent == 100:
                with open(os.path.join(folder, name + ".bmp"), "wb") as f:
                    f.write(bmp24(pictures))
            else:
                with open(os.path.join(folder, name + ".bmp.z"), "wb") as f:
                    f.write(zlib.compress(bmp8(pictures), 9))
    print("wrote", os.path.normpath(out))


if __name__ == "__main__":
    main()
