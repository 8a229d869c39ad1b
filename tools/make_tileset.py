#!/usr/bin/python3
# make_tileset.py -- paints the editor's tileset system/images/tilesets/001.png
#
# Run from anywhere with /usr/bin/python3 (needs Pillow). Every random choice
# comes from fixed seeds, so the picture is the same on every run.
#
# Layout: tile t (1 to 25) is the 32x48 rectangle at (32, 48*t). A tile stands
# on its cell with its lower 32 rows and may rise 16 rows over the cell above.
# Ground tiles keep those 16 rows transparent; objects stand on their own grass
# so that they look right wherever they are painted on the grass map. Ground
# textures repeat every 32 pixels so that they tile without seams.

import math
import os
import random
import sys

from PIL import Image

TILE_W = 32
TILE_H = 48
OVER = 16          # rows a tile reaches over the cell above
TILE_COUNT = 25
MASK = (255, 0, 255)

# ---------------------------------------------------------------- palette
# Ramps run from dark to light. Light falls from the upper left everywhere.
GRASS = [(36, 70, 38), (48, 88, 44), (60, 104, 50), (70, 116, 54),
         (82, 128, 60), (98, 142, 68), (122, 160, 80)]
DIRT = [(70, 50, 34), (92, 66, 42), (112, 82, 52), (128, 96, 62),
        (146, 112, 74), (166, 132, 90)]
SAND = [(164, 140, 94), (184, 160, 110), (200, 178, 126), (214, 194, 142),
        (228, 210, 162), (240, 226, 186)]
STONE = [(44, 44, 52), (68, 68, 76), (94, 92, 98), (120, 118, 120),
         (146, 142, 140), (172, 168, 160), (198, 194, 184)]
WATER = [(20, 44, 90), (26, 58, 112), (34, 74, 132), (46, 92, 152),
         (72, 120, 176), (132, 176, 214), (196, 222, 236)]
SHALLOW = [(40, 86, 130), (52, 104, 144), (66, 122, 156), (86, 140, 164),
           (120, 166, 180), (176, 206, 214)]
WOOD = [(52, 34, 24), (78, 52, 32), (104, 72, 44), (132, 94, 58),
        (158, 118, 76), (184, 146, 98)]
THATCH = [(92, 68, 34), (124, 94, 44), (154, 122, 58), (182, 150, 76),
          (206, 178, 102), (226, 204, 134)]
OAK = [(26, 52, 32), (36, 70, 38), (50, 90, 44), (66, 110, 52),
       (88, 132, 62), (116, 154, 76)]
PINE = [(18, 40, 36), (24, 54, 44), (32, 70, 52), (44, 88, 60),
        (62, 108, 70)]
PLASTER = [(150, 134, 112), (182, 166, 140), (208, 194, 168), (228, 218, 196)]
CANVAS = [(120, 104, 80), (152, 136, 106), (184, 170, 136), (210, 198, 164),
          (232, 224, 196)]
RED = [(84, 22, 24), (124, 32, 30), (164, 46, 38), (198, 70, 50),
       (222, 112, 76)]
GOLD = [(120, 88, 30), (178, 138, 44), (222, 186, 70), (246, 222, 128)]
OUTLINE = (30, 38, 30)     # soft dark edge round objects
DARK = (22, 20, 22)        # door openings, arrow slits

# ---------------------------------------------------------------- helpers
BAYER = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]


def bayer(x, y):
    """Ordered-dither threshold in (0, 1); repeats every 4 pixels."""
    return (BAYER[y % 4][x % 4] + 0.5) / 16.0


def pick(ramp, value, threshold):
    """Dithered choice of a ramp colour for a fractional ramp index."""
    base = math.floor(value)
    if value - base > threshold:
        base += 1
    return ramp[max(0, min(len(ramp) - 1, base))]


def clamp(v, lo, hi):
    return lo if v < lo else hi if v > hi else v


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def scale(c, f):
    return tuple(clamp(int(round(v * f)), 0, 255) for v in c)


class Lattice:
    """Smooth value noise on a 32x32 torus, so any texture built on it tiles."""

    def __init__(self, seed, spacing, period=TILE_W):
        rng = random.Random(seed)
        self.spacing = spacing
        self.n = period // spacing
        self.v = [[rng.uniform(-1, 1) for _ in range(self.n)]
                  for _ in range(self.n)]

    def at(self, x, y):
        gx, gy = x / self.spacing, y / self.spacing
        ix, iy = math.floor(gx), math.floor(gy)
        fx, fy = gx - ix, gy - iy
        fx = fx * fx * (3 - 2 * fx)
        fy = fy * fy * (3 - 2 * fy)
        n = self.n
        a = self.v[iy % n][ix % n]
        b = self.v[iy % n][(ix + 1) % n]
        c = self.v[(iy + 1) % n][ix % n]
        d = self.v[(iy + 1) % n][(ix + 1) % n]
        return (a + (b - a) * fx) * (1 - fy) + (c + (d - c) * fx) * fy


class Noise:
    """Sum of lattices; each octave is (spacing, weight)."""

    def __init__(self, seed, octaves):
        self.parts = [(Lattice(seed * 31 + i, s), w)
                      for i, (s, w) in enumerate(octaves)]

    def at(self, x, y):
        return sum(l.at(x, y) * w for l, w in self.parts)


def hash01(x, y, seed):
    """Per-pixel white noise in [0, 1), the same for the same pixel."""
    h = (x * 374761393 + y * 668265263 + seed * 2246822519) & 0xFFFFFFFF
    h = ((h ^ (h >> 13)) * 1274126177) & 0xFFFFFFFF
    return ((h ^ (h >> 16)) & 0xFFFF) / 65536.0


def jittered_points(seed, cells, margin=1):
    """One random point per cell of a cells x cells grid over the 32x32 torus:
    spreads details evenly so no clump or hole marks the repeat."""
    rng = random.Random(seed)
    size = TILE_W // cells
    pts = []
    for cy in range(cells):
        for cx in range(cells):
            pts.append((cx * size + rng.randint(margin, size - 1 - margin),
                        cy * size + rng.randint(margin, size - 1 - margin),
                        rng.random()))
    return pts


def wrap_dist(a, b, period=TILE_W):
    d = abs(a - b) % period
    return min(d, period - d)


def even_field(f, radius=4):
    """Samples f over the tile and takes out its local mean (a box blur on
    the torus), leaving fine texture only: broad light and dark patches are
    what makes a repeated tile show its 32-pixel grid."""
    v = [[f(x, y) for x in range(32)] for y in range(32)]
    k = 2 * radius + 1
    rows = [[sum(v[y][(x + d) % 32] for d in range(-radius, radius + 1)) / k
             for x in range(32)] for y in range(32)]
    mean = sum(map(sum, v)) / 1024.0
    return [[v[y][x] - sum(rows[(y + d) % 32][x] for d in range(-radius, radius + 1)) / k + mean
             for x in range(32)] for y in range(32)]


# A ground is a 32x32 grid of colours; it becomes rows 16..47 of a tile.
def new_ground(colour=None):
    return [[colour] * TILE_W for _ in range(TILE_W)]


def copy_ground(g):
    return [row[:] for row in g]


# ---------------------------------------------------------------- grounds
def grass_ground():
    n = Noise(11, [(8, 0.45), (4, 0.35), (2, 0.2)])
    f = even_field(n.at)
    g = new_ground()
    for y in range(32):
        for x in range(32):
            v = 3.0 + 1.0 * f[y][x]
            g[y][x] = pick(GRASS, v, hash01(x, y, 1))
    # small tufts: a light blade tip over a dark root, spread evenly
    for (px, py, r) in jittered_points(12, 8, 0):
        tall = r > 0.5
        g[py % 32][px % 32] = GRASS[5]
        g[(py + 1) % 32][px % 32] = GRASS[4] if tall else GRASS[1]
        if tall:
            g[(py + 2) % 32][px % 32] = GRASS[1]
            g[(py + 1) % 32][(px + 1) % 32] = GRASS[1]
    for (px, py, r) in jittered_points(13, 4, 1):
        g[py][px] = GRASS[1]
        g[py][(px + 1) % 32] = GRASS[2]
    return g


def flowers_ground():
    g = grass_ground()
    colours = [((238, 234, 220), GOLD[2]), (GOLD[3], GOLD[1]),
               (RED[3], GOLD[2]), ((150, 128, 212), (238, 234, 220)),
               ((238, 234, 220), GOLD[2]), (RED[4], RED[2])]
    rng = random.Random(21)
    for i, (px, py, r) in enumerate(jittered_points(22, 3, 2)):
        if i == 4:
            continue
        petal, centre = colours[i % len(colours)]
        # a stalk shadow, four petals round a centre
        g[(py + 2) % 32][px] = GRASS[1]
        for dx, dy in ((-1, 0), (1, 0), (0, -1), (0, 1)):
            g[(py + dy) % 32][(px + dx) % 32] = petal
        g[py][px] = centre
        g[(py + 1) % 32][(px + 1) % 32] = GRASS[1]
        # one or two buds nearby
        bx, by = (px + rng.choice((-3, 3))) % 32, (py + rng.choice((-2, 2))) % 32
        g[by][bx] = petal
        g[(by + 1) % 32][bx] = GRASS[1]
    return g


def dirt_ground(seed=31):
    n = Noise(seed, [(8, 0.4), (4, 0.35), (2, 0.25)])
    g = new_ground()
    for y in range(32):
        for x in range(32):
            v = 2.6 + 1.0 * n.at(x, y)
            g[y][x] = pick(DIRT, v, hash01(x, y, 2))
    for (px, py, r) in jittered_points(seed + 1, 4, 1):
        # a pebble: light top, dark shadow under it
        g[py][px] = DIRT[5]
        g[py][(px + 1) % 32] = DIRT[4]
        g[(py + 1) % 32][px] = DIRT[1]
        g[(py + 1) % 32][(px + 1) % 32] = DIRT[0]
    for (px, py, r) in jittered_points(seed + 2, 8, 0):
        g[py][px] = DIRT[1] if r < 0.6 else DIRT[4]
    return g


def sand_ground():
    n = Noise(41, [(16, 0.25), (8, 0.35), (4, 0.25), (2, 0.15)])
    g = new_ground()
    for y in range(32):
        for x in range(32):
            # gentle wind ripples, a whole number of waves across the tile
            ripple = 0.35 * math.sin(2 * math.pi * (y / 8.0 + x / 32.0)
                                     + 1.5 * n.at(x, y))
            v = 2.6 + 0.8 * n.at(x, y) + ripple
            g[y][x] = pick(SAND, v, hash01(x, y, 3))
    for (px, py, r) in jittered_points(42, 4, 1):
        g[py][px] = SAND[0] if r < 0.5 else SAND[5]
    return g


def cobble_ground():
    rng = random.Random(51)
    pts = []
    for cy in range(4):
        for cx in range(4):
            # a brick-like stagger keeps the stones from lining up in a grid
            ox = 4 if cy % 2 else 0
            pts.append(((cx * 8 + ox + rng.uniform(1.5, 6.5)) % 32,
                        cy * 8 + rng.uniform(2, 6), rng.uniform(-0.6, 0.6)))
    g = new_ground()
    n = Noise(52, [(4, 0.5), (2, 0.5)])
    for y in range(32):
        for x in range(32):
            ds = []
            for (sx, sy, tone) in pts:
                dx = (x + 0.5 - sx + 16) % 32 - 16
                dy = (y + 0.5 - sy + 16) % 32 - 16
                ds.append((dx * dx + dy * dy, dx, dy, tone))
            ds.sort()
            d1 = math.sqrt(ds[0][0])
            d2 = math.sqrt(ds[1][0])
            edge = d2 - d1
            _, dx, dy, tone = ds[0]
            if edge < 1.1:
                g[y][x] = STONE[1] if edge < 0.6 else STONE[2]
                continue
            # domed stone: lit upper left, shaded lower right, rim darker
            light = -(dx + dy) / 6.0
            v = 3.6 + tone + 0.9 * light + 0.3 * n.at(x, y)
            if edge < 2.0:
                v -= 0.7
            g[y][x] = pick(STONE, v, bayer(x, y))
    return g


def water_ground(ramp=WATER, seed=61, base=2.4):
    n = Noise(seed, [(16, 0.35), (8, 0.4), (4, 0.25)])
    g = new_ground()
    for y in range(32):
        for x in range(32):
            v = base + 0.7 * n.at(x, y)
            g[y][x] = pick(ramp, v, bayer(x, y))
    # wave crests: short light strokes with a darker trough below
    for (px, py, r) in jittered_points(seed + 1, 4, 1):
        length = 3 + int(r * 3)
        for i in range(length):
            xx = (px - length // 2 + i) % 32
            g[py][xx] = ramp[4] if 0 < i < length - 1 else ramp[3]
            g[(py + 1) % 32][xx] = ramp[1]
    for (px, py, r) in jittered_points(seed + 2, 8, 0):
        if r < 0.35:
            g[py][px] = ramp[4]
    return g


def shallow_ground():
    # sandy bottom seen through clear water, a few stones, ripples
    n = Noise(71, [(16, 0.3), (8, 0.4), (4, 0.3)])
    g = new_ground()
    for y in range(32):
        for x in range(32):
            v = 2.5 + 0.9 * n.at(x, y)
            g[y][x] = pick(SHALLOW, v, bayer(x, y))
    bar = even_field(Noise(74, [(8, 0.6), (4, 0.4)]).at, 5)
    for y in range(32):
        for x in range(32):
            # the sandy bottom tints the water, in small patches only: big
            # ones would show the repeat across a wide ford
            b = bar[y][x]
            t = 0.24 if b > 0.2 else 0.16 if b > -0.1 or bayer(x, y) < 0.5 else 0.08
            g[y][x] = mix(g[y][x], SAND[3], t)
    for (px, py, r) in jittered_points(72, 3, 2):
        # pebbles on the bottom, lit on top
        for dx, dy, c in ((0, 0, (150, 160, 150)), (1, 0, (126, 138, 132)),
                          (0, 1, (84, 104, 112)), (1, 1, SHALLOW[0])):
            g[(py + dy) % 32][(px + dx) % 32] = c
    for (px, py, r) in jittered_points(73, 4, 1):
        length = 3 + int(r * 2)
        for i in range(length):
            g[py][(px - length // 2 + i) % 32] = SHALLOW[4] if 0 < i < length - 1 else SHALLOW[3]
    return g


GRASS_G = grass_ground()
DIRT_G = dirt_ground()
SAND_G = sand_ground()
WATER_G = water_ground()


def periodic_wave(seed, amp, terms=3):
    """A smooth edge line y = f(x) that repeats every 32 pixels."""
    rng = random.Random(seed)
    parts = [(k, rng.uniform(0, 2 * math.pi), rng.uniform(0.4, 1.0) / k)
             for k in range(1, terms + 1)]
    total = sum(a for _, _, a in parts)

    def f(x):
        return amp * sum(a * math.sin(2 * math.pi * k * x / 32 + p)
                         for k, p, a in parts) / total
    return f


def shore_ground(water_north):
    """Water on one side, a sandy beach with a line of foam, grass beyond.
    The water and grass parts are the very pixels of tiles 6 and 1, so the
    shore joins them without a seam."""
    line = periodic_wave(81 if water_north else 82, 2.0)
    grass_line = periodic_wave(83 if water_north else 84, 2.2, 4)
    g = new_ground()
    for y in range(32):
        for x in range(32):
            # depth: distance from the waterline, positive on land
            if water_north:
                land = y - (8.5 + line(x))
                grass = y - (17.5 + grass_line(x))
            else:
                land = (18.5 + line(x)) - y
                grass = (10.5 + grass_line(x)) - y
            if land < -3:
                c = WATER_G[y][x]
            elif land < 0:
                # shallow edge water lightens towards the beach
                c = pick(SHALLOW, 1.4 + (land + 3) * 0.6, bayer(x, y))
                if land > -1.0:
                    c = SHALLOW[5]
            elif land < 2.5:
                c = pick(SAND, 0.6 + land * 0.5, bayer(x, y))    # wet sand
            elif grass < -0.5:
                c = SAND_G[y][x]
            elif grass < 1.2:
                # ragged grass edge over the sand
                c = GRASS_G[y][x] if hash01(x, y, 8) < 0.5 else GRASS[1]
            else:
                c = GRASS_G[y][x]
            g[y][x] = c
    return g


ROAD_HALF = 7.5   # half width of a road in pixels
ROAD_EDGE_EW = periodic_wave(91, 0.9, 4)
ROAD_EDGE_EW2 = periodic_wave(92, 0.9, 4)
ROAD_EDGE_NS = periodic_wave(93, 0.9, 4)
ROAD_EDGE_NS2 = periodic_wave(94, 0.9, 4)


def road_ground(ew, ns):
    """Dirt road over grass. The road's edges repeat every 32 pixels along
    the road, so road tiles and the crossing join end to end."""
    g = copy_ground(GRASS_G)
    for y in range(32):
        for x in range(32):
            inside = -99.0
            if ew:
                top = 16 - ROAD_HALF + ROAD_EDGE_EW(x)
                bottom = 16 + ROAD_HALF + ROAD_EDGE_EW2(x)
                inside = max(inside, min(y + 0.5 - top, bottom - y - 0.5))
            if ns:
                left = 16 - ROAD_HALF + ROAD_EDGE_NS(y)
                right = 16 + ROAD_HALF + ROAD_EDGE_NS2(y)
                inside = max(inside, min(x + 0.5 - left, right - x - 0.5))
            if inside > 1.0:
                g[y][x] = DIRT_G[y][x]
            elif inside > 0:
                g[y][x] = DIRT[1] if hash01(x, y, 9) < 0.6 else GRASS[1]
            elif inside > -1.0:
                g[y][x] = GRASS[1] if hash01(x, y, 10) < 0.5 else g[y][x]
    # wheel ruts: darker lines with a light lip; at the crossing they cross
    for y in range(32):
        for x in range(32):
            for on, a, b in ((ew, y, x), (ns, x, y)):
                if not on:
                    continue
                if a in (13, 19) and hash01(b, a, 11) < 0.85:
                    g[y][x] = DIRT[1]
                elif a in (14, 20) and hash01(b, a, 12) < 0.4:
                    g[y][x] = DIRT[4]
    return g


# ---------------------------------------------------------------- tiles
class Tile:
    """A 32x48 tile: None is a transparent pixel."""

    def __init__(self, ground=None):
        self.px = [[None] * TILE_W for _ in range(TILE_H)]
        if ground is not None:
            for y in range(32):
                for x in range(32):
                    self.px[y + OVER][x] = ground[y][x]

    def get(self, x, y):
        if 0 <= x < TILE_W and 0 <= y < TILE_H:
            return self.px[y][x]
        return None

    def set(self, x, y, c):
        if 0 <= x < TILE_W and 0 <= y < TILE_H:
            self.px[y][x] = c


class Sprite:
    """An object drawn apart from its ground, so its edge can be outlined."""

    def __init__(self):
        self.px = [[None] * TILE_W for _ in range(TILE_H)]

    def set(self, x, y, c):
        if 0 <= x < TILE_W and 0 <= y < TILE_H:
            self.px[y][x] = c

    def get(self, x, y):
        if 0 <= x < TILE_W and 0 <= y < TILE_H:
            return self.px[y][x]
        return None

    def has(self, x, y):
        return self.get(x, y) is not None


def darker_grass(c, steps):
    if c in GRASS:
        return GRASS[max(0, GRASS.index(c) - steps)]
    return scale(c, 0.82 ** steps)


def shadow(tile, cx, cy, rx, ry, steps=2, wrap=False):
    """Darkens the ground in an ellipse at the foot of an object, softer at
    the rim (dithered)."""
    for y in range(OVER, TILE_H):
        for x in range(TILE_W):
            dx = (wrap_dist(x + 0.5, cx) if wrap else x + 0.5 - cx) / rx
            dy = (y + 0.5 - cy) / ry
            d = dx * dx + dy * dy
            if d < 1:
                s = steps if d < 0.55 or bayer(x, y) < (1 - d) * 1.8 else steps - 1
                if s > 0 and tile.px[y][x] is not None:
                    tile.px[y][x] = darker_grass(tile.px[y][x], s)


def shadow_band(tile, y0, y1, steps=2):
    """A shadow along the whole width (walls and fences); fades downwards."""
    for y in range(y0, y1):
        t = (y - y0) / max(1, y1 - y0)
        for x in range(TILE_W):
            s = steps if t < 0.5 or bayer(x, y) > t else steps - 1
            if s > 0:
                tile.px[y][x] = darker_grass(tile.px[y][x], s)


def stamp(tile, sprite, outline=True, wrap_x=False):
    """Puts a sprite on a tile with a soft dark outline round it. Over ground
    the outline darkens what is there; in the transparent overhang it is the
    plain outline colour. wrap_x: the object runs on into the neighbouring
    tiles, so no outline is drawn at the tile's left and right edges."""
    if outline:
        for y in range(TILE_H):
            for x in range(TILE_W):
                if sprite.has(x, y):
                    continue
                near = False
                for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                    xx = x + dx
                    if wrap_x:
                        xx %= TILE_W
                    if sprite.has(xx, y + dy):
                        near = True
                        break
                if not near:
                    continue
                under = tile.px[y][x]
                tile.px[y][x] = OUTLINE if under is None else mix(under, OUTLINE, 0.7)
    for y in range(TILE_H):
        for x in range(TILE_W):
            c = sprite.px[y][x]
            if c is not None:
                tile.px[y][x] = c


def blob_shade(cx, cy, r, x, y, light=(-0.55, -0.65, 0.52)):
    """Lambert light on a sphere of radius r at (cx, cy); None outside."""
    dx, dy = (x + 0.5 - cx) / r, (y + 0.5 - cy) / r
    d2 = dx * dx + dy * dy
    if d2 > 1:
        return None
    dz = math.sqrt(1 - d2)
    return dx * light[0] + dy * light[1] + dz * light[2]


def foliage(sprite, clusters, ramp, seed, base=1.2, gain=3.2):
    """A crown built from overlapping leafy balls, front ones last."""
    n = Noise(seed, [(4, 0.6), (2, 0.4)])
    for (cx, cy, r) in clusters:
        for y in range(int(cy - r - 1), int(cy + r + 2)):
            for x in range(int(cx - r - 1), int(cx + r + 2)):
                # leafy rim: the radius wobbles with the noise
                rr = r * (1 + 0.12 * n.at(x * 1.7, y * 1.7))
                s = blob_shade(cx, cy, rr, x, y)
                if s is None:
                    continue
                v = base + gain * s + 0.8 * n.at(x, y)
                sprite.set(x, y, pick(ramp, v, bayer(x, y)))
    # highlight leaves on the lit side
    rng = random.Random(seed + 5)
    for (cx, cy, r) in clusters:
        for _ in range(int(r)):
            a = rng.uniform(math.pi * 0.9, math.pi * 1.6)
            d = rng.uniform(0.3, 0.75) * r
            x, y = int(cx + math.cos(a) * d), int(cy + math.sin(a) * d)
            if sprite.has(x, y) and sprite.has(x + 1, y):
                sprite.set(x, y, ramp[-1])
                sprite.set(x + 1, y, ramp[-2])


def grass_tile():
    return Tile(GRASS_G)


def tile_wall(gate=False):
    t = grass_tile()
    shadow_band(t, 40, 45, 2)
    s = Sprite()
    top, face, base = 5, 14, 40     # walkway from row top, face from row face
    for y in range(1, base):
        for x in range(TILE_W):
            if y < top:
                # merlons: 5 of every 8 pixels, lit on the left
                if x % 8 < 5:
                    v = 5.0 if x % 8 == 0 else 4.2 if y == 1 else 3.6
                    if x % 8 == 4:
                        v = 2.2
                    s.set(x, y, pick(STONE, v, bayer(x, y)))
                continue
            if y < face:
                # walkway on the wall top, worn in the middle
                v = 4.4 - 0.15 * (y - top) + 0.5 * (hash01(x, y, 20) - 0.5)
                if y == top or y == face - 1:
                    v = 5.2 if y == top else 2.6
                s.set(x, y, pick(STONE, v, bayer(x, y)))
                continue
            # front face of coursed stone blocks
            course = (y - face) // 6
            row = (y - face) % 6
            shift = 0 if course % 2 == 0 else 4
            bx = (x + shift) % 8
            tone = (hash01(((x + shift) // 8) % 4, course, 21) - 0.5) * 0.9
            if row == 5 or bx == 7:
                c = STONE[1]
            else:
                v = 3.1 + tone - 0.07 * (y - face) / 2
                if row == 0 or bx == 0:
                    v += 0.9
                if row == 4 or bx == 6:
                    v -= 0.6
                c = pick(STONE, v, bayer(x, y))
            s.set(x, y, c)
    # the shadow cast by the merlons onto the walkway
    for y in range(top, top + 2):
        for x in range(TILE_W):
            if x % 8 < 5 and s.has(x, y):
                s.set(x, y, STONE[2] if y == top else pick(STONE, 3.2, bayer(x, y)))
    if gate:
        gate_arch(s, base)
    stamp(t, s, wrap_x=True)
    # moss and weeds where the wall meets the grass
    for x in range(TILE_W):
        if hash01(x, 0, 22) < 0.35 and not (gate and 9 <= x <= 22):
            t.set(x, base - 1, GRASS[2] if hash01(x, 1, 22) < 0.5 else GRASS[4])
    return t


def gate_arch(s, base):
    """A round-arched stone gateway with a closed double door of planks."""
    cx, spring = 16.0, 26     # centre line, row where the arch starts
    r_in, r_out = 6.5, 9.5
    for y in range(15, base):
        for x in range(TILE_W):
            dx = x + 0.5 - cx
            if y >= spring:
                d = abs(dx)
                inner = d < r_in
                outer = d < r_out
            else:
                dd = math.hypot(dx, y + 0.5 - spring)
                inner = dd < r_in
                outer = dd < r_out
            if inner:
                # doors: vertical planks, iron bands, a dark seam in the middle
                px = int(x + 0.5 - (cx - r_in))
                v = 2.8 - 0.6 * (px % 3 == 2) + 0.5 * (px % 3 == 0)
                c = pick(WOOD, v, bayer(x, y))
                if y in (spring + 1, base - 4):
                    c = STONE[1] if px % 4 else STONE[3]
                if abs(dx) < 0.6:
                    c = WOOD[0]
                if y == base - 9 and abs(dx) == 1.5:
                    c = GOLD[1]     # ring handles
                s.set(x, y, c)
            elif outer:
                # voussoirs: lighter stones round the opening
                if y >= spring:
                    v = 4.4 if dx < 0 else 2.9
                    if (y - spring) % 5 == 4:
                        v = 1.3
                else:
                    ang = math.atan2(y + 0.5 - spring, dx)
                    seg = int((ang + math.pi) / (math.pi / 7))
                    v = 4.6 - 0.25 * seg if dx < 0 else 3.4
                    if abs(((ang + math.pi) / (math.pi / 7)) - round((ang + math.pi) / (math.pi / 7))) < 0.12:
                        v = 1.3
                s.set(x, y, pick(STONE, v, bayer(x, y)))
    # shadow inside the top of the arch
    for y in range(15, base):
        for x in range(TILE_W):
            dx = x + 0.5 - cx
            if y < spring and math.hypot(dx, y + 0.5 - spring) < r_in and \
                    math.hypot(dx, y + 0.5 - spring) > r_in - 1.2:
                s.set(x, y, WOOD[0])


def tile_palisade():
    t = grass_tile()
    shadow_band(t, 40, 45, 2)
    s = Sprite()
    rng = random.Random(161)
    tops = [rng.randint(3, 7) for _ in range(8)]
    for i in range(8):
        x0, top = i * 4, tops[i]
        for y in range(top, 41):
            for dx in range(4):
                # round stakes: lit left, dark right, sharpened tip
                tip = y - top
                if tip < 3 and (dx == 0 or dx == 3) and tip < 2:
                    continue
                if tip == 0 and dx != 1:
                    continue
                v = [4.3, 3.3, 2.4, 1.2][dx]
                v += 0.6 * (hash01(x0 + dx, y, 162) - 0.5)
                if tip < 4:
                    v += 0.8       # fresh cut wood of the point
                if y % 7 == (i * 3) % 7 and dx in (1, 2):
                    v -= 0.8       # bark knots
                s.set(x0 + dx, y, pick(WOOD, v, bayer(x0 + dx, y)))
    # two cross rails lashed to the stakes
    for ry in (17, 32):
        for x in range(TILE_W):
            for dy in range(2):
                v = 2.6 if dy == 0 else 1.6
                s.set(x, ry + dy, pick(WOOD, v + 0.4 * ((x % 4) == 0), bayer(x, ry + dy)))
            if x % 4 == 1:
                s.set(x, ry + 2, WOOD[0])
    stamp(t, s, wrap_x=True)
    return t


def trunk(sprite, cx, y0, y1, half):
    for y in range(y0, y1):
        flare = 1 if y >= y1 - 2 else 0
        for x in range(int(cx - half - flare), int(cx + half + flare) + 1):
            rel = (x + 0.5 - (cx - half - flare)) / (2 * (half + flare) + 1)
            v = 3.6 - 3.0 * rel + 0.6 * (hash01(x, y, 170) - 0.5)
            sprite.set(x, y, pick(WOOD, v, bayer(x, y)))


def tile_oak():
    t = grass_tile()
    shadow(t, 17.5, 42.5, 11, 4.5, 2)
    s = Sprite()
    trunk(s, 16, 26, 43, 2)
    # a low branch showing under the crown
    for i in range(4):
        s.set(19 + i, 29 - i // 2, WOOD[1])
    clusters = [(16, 21, 9.5), (10, 16, 6.8), (22.5, 16, 6.8), (16, 10.5, 8),
                (10.5, 25, 5.5), (22, 25, 6)]
    foliage(s, clusters, OAK, 171, base=1.6, gain=3.0)
    stamp(t, s)
    return t


def tile_pine():
    t = grass_tile()
    shadow(t, 17.5, 43, 10, 4, 2)
    s = Sprite()
    trunk(s, 16, 34, 44, 1.5)
    n = Noise(181, [(4, 0.6), (2, 0.4)])
    # four tiers of drooping boughs, the lowest widest, drawn top down
    tiers = [(1, 13, 4.0), (8, 22, 7.5), (15, 31, 10.5), (22, 38, 13.5)]
    for (ty0, ty1, half) in tiers:
        for y in range(ty0, ty1):
            t01 = (y - ty0) / (ty1 - ty0)
            w = 0.8 + half * t01
            for x in range(TILE_W):
                dx = x + 0.5 - 16
                # ragged hem: the tier's bottom edge droops in scallops
                hem = ty1 - 1.5 + 1.5 * math.cos(dx * 1.3) - (abs(dx) / half) * 1.5
                if abs(dx) > w + 0.8 * n.at(x, y) or y > hem:
                    continue
                side = dx / max(1.0, w)
                v = 2.2 - 1.6 * side - 1.2 * t01 + 0.9 * n.at(x * 1.3, y)
                if y > hem - 1.5:
                    v -= 1.0
                s.set(x, y, pick(PINE, v, bayer(x, y)))
    # snow-free light tips on the sunny side
    for (ty0, ty1, half) in tiers:
        for k in range(3):
            x = int(16 - half * (0.35 + 0.2 * k))
            y = ty1 - 3 - k
            if s.has(x, y):
                s.set(x, y, PINE[4])
    stamp(t, s)
    return t


def tile_bush():
    t = grass_tile()
    shadow(t, 17, 42, 11, 3.5, 2)
    s = Sprite()
    clusters = [(11, 36, 6), (21, 36, 6.5), (16, 31, 7), (16, 37, 6)]
    foliage(s, clusters, OAK, 191, base=1.8, gain=2.6)
    # a few red berries
    for (x, y) in ((12, 33), (20, 31), (18, 38), (9, 38), (23, 35)):
        s.set(x, y, RED[3])
        s.set(x + 1, y + 1, RED[1])
    stamp(t, s)
    return t


def polygon_inside(pts, x, y):
    c = False
    j = len(pts) - 1
    for i in range(len(pts)):
        xi, yi = pts[i]
        xj, yj = pts[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            c = not c
        j = i
    return c


def rock_shape(sprite, pts, ramp, seed, base=3.0, gain=2.2):
    """A faceted rock from a polygon outline: each facet has its own light."""
    n = Noise(seed, [(4, 0.5), (2, 0.5)])
    cx = sum(p[0] for p in pts) / len(pts)
    cy = sum(p[1] for p in pts) / len(pts)
    cy_light = cy - 2
    for y in range(TILE_H):
        for x in range(TILE_W):
            if not polygon_inside(pts, x + 0.5, y + 0.5):
                continue
            a = math.atan2(y + 0.5 - cy_light, x + 0.5 - cx)
            facet = int((a + math.pi) / (math.pi / 3))
            fl = [0.6, 1.0, 0.5, -0.4, -0.9, -0.3][facet % 6]
            v = base + gain * 0.5 * fl + 0.5 * n.at(x, y)
            v -= 0.05 * (y - cy)
            sprite.set(x, y, pick(ramp, v, bayer(x, y)))


def tile_boulder():
    t = grass_tile()
    shadow(t, 18, 41.5, 12, 4, 2)
    s = Sprite()
    pts = [(5, 38), (6, 31), (10, 26), (16, 24), (22, 25), (27, 30),
           (28, 36), (25, 41), (16, 43), (9, 42)]
    rock_shape(s, pts, STONE, 201, base=3.2, gain=2.6)
    # a crack and a patch of moss on top
    for i, (x, y) in enumerate(((17, 27), (17, 28), (18, 29), (18, 30), (19, 31), (19, 32))):
        s.set(x, y, STONE[1])
        if i % 2 == 0:
            s.set(x - 1, y, STONE[5])
    for (x, y) in ((11, 28), (12, 28), (13, 27), (12, 29), (10, 29), (14, 27)):
        s.set(x, y, OAK[3] if (x + y) % 2 else OAK[2])
    stamp(t, s)
    return t


def rock_chunk(sprite, pts, apex, foot, ramp, seed, lit=4.0, shade=2.0):
    """One block of a crag: the line from apex to foot splits it into a sunny
    left face and a shaded right face; the top edge catches the light and a
    dark rim parts it from the blocks behind."""
    n = Noise(seed, [(4, 0.5), (2, 0.5)])
    ax, ay = apex
    fx, fy = foot
    inside = [[polygon_inside(pts, x + 0.5, y + 0.5) for x in range(TILE_W)]
              for y in range(TILE_H)]
    rng = random.Random(seed)
    for y in range(TILE_H):
        for x in range(TILE_W):
            if not inside[y][x]:
                continue
            # which side of the ridge line is this pixel on
            side = (x + 0.5 - ax) * (fy - ay) - (y + 0.5 - ay) * (fx - ax)
            v = lit if side < 0 else shade
            v += 0.5 * n.at(x, y) - 0.9 * (y - ay) / 40.0
            up = y > 0 and inside[y - 1][x]
            if not up:
                v += 1.2                      # lit upper edge
            elif y > 1 and not inside[y - 2][x]:
                v += 0.6
            rim = not all(inside[yy][xx] if 0 <= xx < TILE_W and 0 <= yy < TILE_H else False
                          for xx, yy in ((x - 1, y), (x + 1, y), (x, y + 1)))
            if rim and up:
                v = 1.0
            sprite.set(x, y, pick(ramp, v, bayer(x, y)))
    # a few cracks: a dark line with a lit pixel beside it
    for _ in range(2):
        x = rng.uniform(min(p[0] for p in pts) + 3, max(p[0] for p in pts) - 3)
        y = rng.uniform(ay + 4, max(p[1] for p in pts) - 4)
        for i in range(rng.randint(3, 6)):
            xi, yi = int(x), int(y)
            if 0 <= xi < TILE_W and 0 <= yi < TILE_H and inside[yi][xi]:
                sprite.set(xi, yi, ramp[0])
                if xi > 0 and inside[yi][xi - 1]:
                    sprite.set(xi - 1, yi, ramp[4])
            x += rng.choice((-1, 0, 1)) * 0.8
            y += 1


ROCK = [(48, 44, 46), (72, 66, 64), (98, 90, 84), (124, 116, 106),
        (150, 142, 128), (178, 170, 154), (204, 198, 182)]


def tile_crag():
    t = grass_tile()
    shadow(t, 17, 42, 17, 4.5, 2)
    s = Sprite()
    # back to front: the high peak, its shoulders, then the rocks at its foot
    rock_chunk(s, [(4, 30), (9, 12), (14, 1), (18, 3), (23, 14), (27, 30)],
               (15, 1), (17, 30), ROCK, 211)
    rock_chunk(s, [(18, 34), (21, 13), (25, 8), (28, 12), (31, 22), (31, 36)],
               (25, 8), (27, 34), ROCK, 212, lit=3.6, shade=1.8)
    rock_chunk(s, [(0, 34), (0, 24), (4, 16), (8, 15), (12, 24), (13, 34)],
               (7, 15), (8, 34), ROCK, 213, lit=3.8)
    rock_chunk(s, [(2, 43), (0, 39), (0, 35), (5, 28), (11, 27), (16, 32), (17, 42), (9, 44)],
               (9, 27), (10, 43), ROCK, 214, lit=3.9, shade=2.1)
    rock_chunk(s, [(13, 42), (13, 34), (18, 26), (24, 27), (29, 32), (31, 35), (31, 40),
                   (29, 43), (22, 44)],
               (20, 26), (22, 43), ROCK, 215, lit=3.7, shade=2.0)
    # tufts of grass clinging to ledges
    for (x, y) in ((6, 28), (7, 28), (21, 27), (22, 26), (29, 36), (3, 42), (14, 42), (26, 42)):
        if s.has(x, y):
            s.set(x, y, GRASS[4])
            if s.has(x, y + 1):
                s.set(x, y + 1, GRASS[2])
    stamp(t, s)
    return t


def tile_cottage():
    t = grass_tile()
    shadow(t, 18, 42, 15, 3.5, 2)
    s = Sprite()
    wall_top, base = 27, 42
    # plaster walls in a dark timber frame
    for y in range(wall_top, base):
        for x in range(4, 28):
            v = 2.3 - 0.5 * (x > 22) + 0.5 * (hash01(x, y, 221) - 0.5)
            c = pick(PLASTER, v, bayer(x, y))
            if x in (4, 15, 27) or y == base - 1:
                c = WOOD[1]
            if y == wall_top or y == wall_top + 1:
                c = PLASTER[0]        # shade under the eaves
            s.set(x, y, c)
    # door, with a lit left jamb
    for y in range(32, base):
        for x in range(17, 22):
            c = pick(WOOD, 2.6 - 0.5 * (x % 2), bayer(x, y))
            if x == 17:
                c = WOOD[3]
            if y == 32:
                c = WOOD[0]
            s.set(x, y, c)
    s.set(20, 37, GOLD[2])
    # two small windows
    for wx in (7, 23):
        for y in range(31, 36):
            for x in range(wx, wx + 4):
                if wx == 23 and x > 26:
                    continue
                c = (52, 66, 86) if (x + y) % 3 else (96, 122, 150)
                if y in (31, 35) or x in (wx, wx + 3):
                    c = WOOD[1]
                s.set(x, y, c)
        for x in range(wx - 1, wx + 5):
            if wx == 23 and x > 27:
                continue
            s.set(x, 36, WOOD[3])      # sill
    # thatched roof: a wide hip seen from the front, ridge near the top
    n = Noise(222, [(4, 0.5), (2, 0.5)])
    ridge_y, eave_y = 4, 29
    for y in range(ridge_y, eave_y):
        t01 = (y - ridge_y) / (eave_y - ridge_y)
        half = 9 + 7 * t01
        for x in range(TILE_W):
            dx = x + 0.5 - 16
            if abs(dx) > half:
                continue
            # straw runs down the slope: streaks by column, lit from the left
            v = 3.3 - 0.08 * (y - ridge_y) + 0.9 * n.at(x, y * 0.3)
            v -= 0.9 * (dx / half) ** 3
            if (x * 7 + (y // 3)) % 5 == 0:
                v -= 0.8
            if y >= eave_y - 2:
                v = 1.4 + 0.5 * (dx < 0)    # thick lower edge of the thatch
            if y == ridge_y or y == ridge_y + 1:
                v = 4.6 if y == ridge_y else 3.9
            s.set(x, y, pick(THATCH, v, bayer(x, y)))
    # hip ends: darker at the sides
    for y in range(ridge_y, eave_y):
        t01 = (y - ridge_y) / (eave_y - ridge_y)
        half = 9 + 7 * t01
        xr = int(16 + half - 0.5)
        xl = int(16 - half + 0.5)
        s.set(xr, y, THATCH[0])
        s.set(xl, y, THATCH[2])
    # the ridge itself rounds off at both ends
    for x in range(6, 26):
        s.set(x, ridge_y - 1, THATCH[4] if x < 20 else THATCH[3])
    # a stone chimney through the right side of the roof
    for y in range(0, 9):
        for x in range(21, 25):
            c = pick(STONE, 4.2 - (x - 21) * 0.9 + 0.4 * ((y % 3) == 0), bayer(x, y))
            s.set(x, y, c)
    for x in range(21, 25):
        s.set(x, 0, STONE[1])
    stamp(t, s)
    return t


def tile_tower():
    t = grass_tile()
    shadow(t, 18, 42.5, 12, 3.5, 2)
    s = Sprite()
    x0, x1 = 7, 25      # body
    for y in range(9, 43):
        for x in range(x0, x1):
            rel = (x + 0.5 - x0) / (x1 - x0)
            course = (y - 9) // 5
            row = (y - 9) % 5
            shift = 3 if course % 2 else 0
            bx = (x - x0 + shift) % 6
            v = 4.4 - 2.8 * rel + 0.5 * (hash01((x - x0 + shift) // 6, course, 231) - 0.5)
            if row == 4 or bx == 5:
                v -= 1.5
            elif row == 0:
                v += 0.5
            s.set(x, y, pick(STONE, v, bayer(x, y)))
    # corbelled parapet, wider than the body, with merlons on top
    for y in range(3, 10):
        for x in range(x0 - 2, x1 + 2):
            rel = (x + 0.5 - (x0 - 2)) / (x1 - x0 + 4)
            v = 4.6 - 2.8 * rel
            if y == 9:
                v = 1.2 if (x % 3) else 2.2     # corbels' shadows
            elif y == 3:
                v += 0.8
            s.set(x, y, pick(STONE, v, bayer(x, y)))
    for x in range(x0 - 2, x1 + 2):
        if (x - (x0 - 2)) % 5 < 3:
            rel = (x + 0.5 - (x0 - 2)) / (x1 - x0 + 4)
            for y in range(0, 3):
                s.set(x, y, pick(STONE, 4.8 - 2.8 * rel + 0.6 * (y == 0), bayer(x, y)))
    # arrow slits
    for (sx, sy, h) in ((15, 14, 6), (15, 25, 4)):
        for y in range(sy, sy + h):
            s.set(sx, y, DARK)
            s.set(sx + 1, y, DARK if y > sy else STONE[1])
        s.set(sx - 1, sy + h, STONE[5])
        s.set(sx, sy + h, STONE[5])
        s.set(sx + 1, sy + h, STONE[4])
    # arched door at the foot
    for y in range(34, 43):
        for x in range(13, 19):
            dx = x + 0.5 - 16
            if y < 37 and math.hypot(dx, y + 0.5 - 37) > 3.2:
                continue
            c = pick(WOOD, 2.2 - 0.6 * (x % 2), bayer(x, y))
            if y == 42:
                c = WOOD[0]
            s.set(x, y, c)
    stamp(t, s)
    return t


def tile_tent():
    t = grass_tile()
    shadow(t, 18, 41.5, 14, 3.5, 2)
    s = Sprite()
    apex_x, apex_y, base = 16, 10, 41
    for y in range(apex_y, base):
        t01 = (y - apex_y) / (base - apex_y)
        half = 1 + 12.5 * t01
        for x in range(TILE_W):
            dx = x + 0.5 - apex_x
            if abs(dx) > half:
                continue
            # left slope in the sun, right slope in shade, sagging seams
            v = (3.3 if dx < 0 else 1.8) - 0.8 * t01
            if abs(abs(dx) / half - 0.5) < 0.06:
                v -= 0.9
            # the open flap: a dark triangle with folded canvas edges
            door = 2.8 * (y - 24) / (base - 24) + 0.4
            if y >= 24 and abs(dx) < door:
                c = DARK if abs(dx) < door - 1 else CANVAS[4]
                s.set(x, y, c)
                continue
            if y == base - 1:
                v -= 0.8
            s.set(x, y, pick(CANVAS, v, bayer(x, y)))
    # the pole and a red pennant
    for y in range(2, apex_y + 1):
        s.set(apex_x, y, WOOD[2])
    for y in range(2, 6):
        for x in range(apex_x + 1, apex_x + 1 + (7 - (y - 2) * 2 + (y > 3))):
            s.set(x, y, RED[3] if y < 4 else RED[2])
    s.set(apex_x, 1, GOLD[2])
    # guy ropes and pegs
    for (x0, y0, x1, y1) in ((5, 33, 1, 41), (27, 33, 31, 41)):
        steps = max(abs(x1 - x0), abs(y1 - y0))
        for i in range(steps + 1):
            x = round(x0 + (x1 - x0) * i / steps)
            y = round(y0 + (y1 - y0) * i / steps)
            s.set(x, y, CANVAS[0])
        s.set(x1, y1 + 1, WOOD[1])
    stamp(t, s)
    return t


def tile_banner():
    t = grass_tile()
    shadow(t, 18, 42, 7, 2.5, 2)
    s = Sprite()
    # a little cairn of stones holds the pole
    for (cx, cy, r) in ((12.5, 41, 3), (19.5, 41, 3), (16, 39, 3.2)):
        for y in range(int(cy - r), int(cy + r) + 1):
            for x in range(int(cx - r), int(cx + r) + 1):
                sh = blob_shade(cx, cy, r, x, y)
                if sh is not None:
                    s.set(x, y, pick(STONE, 2.6 + 2.6 * sh, bayer(x, y)))
    for y in range(2, 39):
        s.set(15, y, WOOD[3])
        s.set(16, y, WOOD[1])
    s.set(15, 1, GOLD[3])
    s.set(16, 1, GOLD[1])
    s.set(15, 0, GOLD[2])
    # swallow-tailed flag, rippling, with a golden star
    for x in range(17, 30):
        wave = round(1.2 * math.sin((x - 17) * 0.6))
        for y in range(3, 16):
            yy = y + wave
            rel = x - 17
            if rel > 8 and abs(y - 9) < (rel - 8) * 0.8:
                continue     # the swallow tail's notch
            v = 3.0 - 1.0 * ((x - 17) % 6 > 3) - (0.8 if y >= 14 else 0)
            if y == 3:
                v += 0.8
            s.set(x, yy, pick(RED, v, bayer(x, yy)))
    for (x, y) in ((21, 8), (22, 8), (21, 9), (22, 9), (20, 9), (23, 9), (21, 10),
                   (22, 10), (21, 7), (22, 11)):
        s.set(x, y + round(1.2 * math.sin((x - 17) * 0.6)), GOLD[2] if y < 10 else GOLD[1])
    stamp(t, s)
    return t


def tile_bridge():
    """A footbridge running north-south: planks laid east-west on two side
    beams, water at either side. Its deck reaches 16 rows over the cell
    above so that it runs onto the bank of a shore tile."""
    t = Tile(WATER_G)
    # the deck's shadow on the water, right of the bridge
    for y in range(OVER, TILE_H):
        for x in (26, 27, 28):
            c = t.px[y][x]
            if c is not None and (x < 28 or bayer(x, y) < 0.5):
                t.px[y][x] = WATER[0] if x < 28 else WATER[1]
    s = Sprite()
    x0, x1 = 5, 26
    for y in range(0, TILE_H):
        plank = y // 4
        row = y % 4
        tone = (hash01(plank % 8, 0, 131) - 0.5) * 1.0
        for x in range(x0, x1 + 1):
            if x in (x0, x0 + 1, x1 - 1, x1):
                # side beams, lit on the left one
                v = 3.4 if x == x0 else 2.6 if x == x0 + 1 else 1.8 if x == x1 - 1 else 1.2
                if y % 16 in (0, 1):
                    v += 1.2  # a post top showing through the beam
                c = pick(WOOD, v, bayer(x, y))
            elif row == 3:
                c = WOOD[0]
            else:
                v = 3.2 + tone - 0.9 * (row == 2) + 0.5 * (row == 0)
                v += 0.5 * (hash01(x, y, 132) - 0.5)
                c = pick(WOOD, v, bayer(x, y))
                if row == 1 and (x == x0 + 3 or x == x1 - 3):
                    c = WOOD[0]    # nails
            s.set(x, y, c)
    stamp(t, s, outline=False)
    # the deck's edges: the outline runs on up the overhang on both sides
    for y in range(0, TILE_H):
        for x in (x0 - 1, x1 + 1):
            under = t.px[y][x]
            t.px[y][x] = OUTLINE if under is None else mix(under, OUTLINE, 0.6)
    return t


# ---------------------------------------------------------------- sheet
def build_tiles():
    return {
        1: grass_tile(),
        2: Tile(flowers_ground()),
        3: Tile(DIRT_G),
        4: Tile(SAND_G),
        5: Tile(cobble_ground()),
        6: Tile(WATER_G),
        7: Tile(shallow_ground()),
        8: Tile(shore_ground(True)),
        9: Tile(shore_ground(False)),
        10: Tile(road_ground(True, False)),
        11: Tile(road_ground(False, True)),
        12: Tile(road_ground(True, True)),
        13: tile_bridge(),
        14: tile_wall(),
        15: tile_wall(gate=True),
        16: tile_palisade(),
        17: tile_oak(),
        18: tile_pine(),
        19: tile_bush(),
        20: tile_boulder(),
        21: tile_crag(),
        22: tile_cottage(),
        23: tile_tower(),
        24: tile_tent(),
        25: tile_banner(),
    }


def build_sheet():
    sheet = Image.new("RGB", (2 * TILE_W, TILE_H * (TILE_COUNT + 1)), MASK)
    px = sheet.load()   # the unused left column and tile 0 stay magenta
    for number, tile in build_tiles().items():
        for y in range(TILE_H):
            for x in range(TILE_W):
                c = tile.px[y][x]
                px[TILE_W + x, TILE_H * number + y] = MASK if c is None else c
    return sheet


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = sys.argv[1] if len(sys.argv) > 1 else \
        os.path.join(root, "system", "images", "tilesets", "001.png")
    os.makedirs(os.path.dirname(out), exist_ok=True)
    build_sheet().save(out, optimize=True)
    print("wrote", out)


if __name__ == "__main__":
    main()
