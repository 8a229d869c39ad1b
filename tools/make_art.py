#!/usr/bin/python3
"""make_art.py -- draws the mouse pointer, the button pictures and the two
background pictures of the data tree.

Run from anywhere with Debian's /usr/bin/python3 (it needs Pillow only):

    /usr/bin/python3 tools/make_art.py [--preview DIR]

Every picture comes out the same on every run: all randomness is seeded.
Magenta (255, 0, 255) is the mask colour of masked drawing, so wherever a
picture must be see-through it holds exact magenta, and no pixel next to it
is blended towards magenta.
"""

import math
import os
import random
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
MAGENTA = (255, 0, 255)
SCREEN_W, SCREEN_H = 640, 480
BOLD_FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"


# ---------------------------------------------------------------- helpers

def mix(a, b, t):
    """Colour between a and b; t = 0 gives a, 1 gives b."""
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def scale(c, f):
    return tuple(max(0, min(255, int(round(v * f)))) for v in c)


def clamp(v, lo=0, hi=255):
    return lo if v < lo else hi if v > hi else v


def smoothstep(e0, e1, x):
    t = clamp((x - e0) / float(e1 - e0), 0.0, 1.0)
    return t * t * (3 - 2 * t)


def noise(w, h, cell, rng):
    """Smooth value noise: a coarse random grid enlarged with bicubic filtering."""
    gw, gh = w // cell + 3, h // cell + 3
    grid = Image.frombytes("L", (gw, gh), bytes(rng.randrange(256) for _ in range(gw * gh)))
    big = grid.resize((gw * cell, gh * cell), Image.BICUBIC)
    ox, oy = rng.randrange(cell), rng.randrange(cell)
    return big.crop((cell + ox, cell + oy, cell + ox + w, cell + oy + h))


def fbm(w, h, cell, octaves, rng, persistence=0.5):
    """Several octaves of value noise averaged, stretched to the full 0..255 range."""
    acc = noise(w, h, cell, rng)
    total, amp = 1.0, 1.0
    for _ in range(1, octaves):
        cell = max(2, cell // 2)
        amp *= persistence
        acc = Image.blend(acc, noise(w, h, cell, rng), amp / (total + amp))
        total += amp
    lo, hi = acc.getextrema()
    span = max(1, hi - lo)
    return acc.point(lambda v: (v - lo) * 255 // span)


def stretched_noise(w, h, sx, sy, cell, octaves, rng):
    """Noise squeezed along one axis, for cloud banks, ripples and brush strokes."""
    small = fbm(max(8, w // sx), max(8, h // sy), cell, octaves, rng)
    return small.resize((w, h), Image.BICUBIC)


def vertical_gradient(w, h, stops):
    """RGB image whose rows run through the colour stops [(y, colour), ...]."""
    column = Image.new("RGB", (1, h))
    px = column.load()
    for y in range(h):
        for i in range(len(stops) - 1):
            y0, c0 = stops[i]
            y1, c1 = stops[i + 1]
            if y <= y1 or i == len(stops) - 2:
                t = smoothstep(y0, y1, y) if y1 > y0 else 1.0
                px[0, y] = mix(c0, c1, t)
                break
    return column.resize((w, h), Image.NEAREST)


def row_mask(w, h, stops):
    """L mask whose rows run through the levels [(y, level), ...]."""
    grey = vertical_gradient(w, h, [(y, (v, v, v)) for y, v in stops])
    return grey.convert("L")


def radial_glow(w, h, cx, cy, rx, ry, strength):
    """L mask brightest at (cx, cy), fading out over the radii rx, ry."""
    g = Image.radial_gradient("L").resize((int(rx * 2), int(ry * 2)), Image.BICUBIC)
    g = g.point(lambda v: int(strength * max(0.0, 1.0 - v / 128.0) ** 1.6))
    m = Image.new("L", (w, h), 0)
    m.paste(g, (int(cx - rx), int(cy - ry)))
    return m


def ridge(w, rng, base, amp, rough, steps=9):
    """Heights of a mountain or hill line by midpoint displacement, one per column."""
    n = 2 ** steps
    pts = [0.0] * (n + 1)
    pts[0], pts[n] = rng.uniform(-amp, amp) * 0.5, rng.uniform(-amp, amp) * 0.5
    step, a = n, amp
    while step > 1:
        half = step // 2
        for i in range(half, n, step):
            pts[i] = (pts[i - half] + pts[i + half]) / 2 + rng.uniform(-a, a)
        step, a = half, a * rough
    return [base + pts[int(x * n / (w - 1))] for x in range(w)]


def peaks(w, rng, base, count, rise, detail):
    """A mountain range: sharp summits of varied height and flank, roughened by a
    finer ridge line."""
    rough = ridge(w, rng, 0, detail, 0.6)
    tops = [(rng.uniform(-40, w + 40), rng.uniform(0.35, 1.0) * rise, rng.uniform(0.5, 1.1))
            for _ in range(count)]
    heights = []
    for x in range(w):
        up = 0.0
        for px, height, slope in tops:
            up = max(up, height - slope * abs(x - px))
        heights.append(base - up + rough[x])
    return heights


def slope_shading(w, h, heights, strength, reach=70):
    """Light from the left: flanks rising to the right are lit, the others shaded,
    fading out down the slope so the faces do not turn into stripes."""
    smooth = []
    for x in range(w):
        part = heights[max(0, x - 16):x + 17]
        smooth.append(sum(part) / len(part))
    m = Image.new("L", (w, h), 128)
    px = m.load()
    for x in range(w):
        a, b = smooth[max(0, x - 3)], smooth[min(w - 1, x + 3)]
        lean = clamp((b - a) * strength, -110, 110)
        top = int(heights[x])
        for y in range(max(0, top), min(h, top + reach)):
            fade = 1.0 - (y - top) / float(reach)
            px[x, y] = clamp(int(128 + lean * fade))
    return m.filter(ImageFilter.GaussianBlur(3))


def snow(img, heights, rng, line, colour):
    """Snow on every summit above the snow line, thinning down its flanks."""
    w, h = img.size
    n = fbm(w, h, 6, 3, rng).load()
    m = Image.new("L", (w, h), 0)
    mp = m.load()
    for x in range(w):
        top = heights[x]
        if top >= line:
            continue
        depth = (line - top) * 0.8
        for y in range(int(top), min(h, int(top + depth) + 1)):
            t = (y - top) / max(1.0, depth)
            v = (1.0 - t) * 255 - (n[x, y] - 128) * 1.2
            mp[x, y] = clamp(int(v * 0.8))
    return paint(img, flat(w, h, colour), m.filter(ImageFilter.GaussianBlur(0.7)))


def silhouette(w, h, heights, extra=None, supersample=2):
    """Antialiased L mask that is solid below the height line (and in extra shapes)."""
    s = supersample
    m = Image.new("L", (w * s, h * s), 0)
    d = ImageDraw.Draw(m)
    poly = [(x * s, heights[x] * s) for x in range(w)] + [(w * s, h * s), (0, h * s)]
    d.polygon(poly, fill=255)
    if extra:
        extra(d, s)
    return m.resize((w, h), Image.LANCZOS)


def paint(base, colour_img, mask):
    return Image.composite(colour_img, base, mask)


def flat(w, h, colour):
    return Image.new("RGB", (w, h), colour)


def textured(w, h, colour, rng, depth, cell=24):
    """A flat colour broken by soft noise, so no area is perfectly even."""
    n = fbm(w, h, cell, 4, rng)
    lut = [clamp(int(round(128 + (v - 128) * depth))) for v in range(256)]
    tex = n.point(lut)
    tint = flat(w, h, colour)
    return ImageChops.overlay(tint, Image.merge("RGB", (tex, tex, tex)))


def conifer(d, x, y, height, s):
    """A fir tree standing on (x, y), drawn into an ImageDraw at supersample s."""
    width = height * 0.42
    tiers = 3
    for i in range(tiers):
        top = y - height + i * height * 0.25
        bottom = y - height * 0.12 - (tiers - 1 - i) * height * 0.18
        half = width * (0.45 + 0.55 * (i + 1) / tiers) / 2
        d.polygon([(x * s, top * s), ((x + half) * s, bottom * s), ((x - half) * s, bottom * s)], fill=255)
    d.rectangle([(x - 0.6) * s, (y - height * 0.15) * s, (x + 0.6) * s, (y + 1) * s], fill=255)


def broadleaf(d, x, y, height, s):
    """A rounded deciduous crown on a short trunk."""
    r = height * 0.38
    d.ellipse([(x - r) * s, (y - height) * s, (x + r) * s, (y - height + 2 * r) * s], fill=255)
    d.ellipse([(x - r * 1.2) * s, (y - height * 0.7) * s, (x + r * 0.4) * s, (y - height * 0.7 + 1.6 * r) * s], fill=255)
    d.rectangle([(x - 0.7) * s, (y - height * 0.35) * s, (x + 0.7) * s, (y + 1) * s], fill=255)


def forest_on(heights, rng, density, hmin, hmax, kind="conifer", sink=2.0):
    """An extra-shapes callback that plants trees along a height line."""
    trees = []
    x = rng.uniform(0, 4)
    w = len(heights)
    while x < w:
        trees.append((x, rng.uniform(hmin, hmax), rng.random()))
        x += rng.uniform(1.0, 3.0) / density
    def draw(d, s):
        for tx, th, pick in trees:
            ground = heights[int(min(w - 1, tx))]
            if ground is None:
                continue
            base = ground + sink
            if kind == "conifer" or (kind == "mixed" and pick < 0.55):
                conifer(d, tx, base, th, s)
            else:
                broadleaf(d, tx, base, th * 0.8, s)
    return draw


def combine(*draws):
    def draw(d, s):
        for fn in draws:
            if fn:
                fn(d, s)
    return draw


def layer(img, heights, colour, rng, extra=None, haze=None, haze_depth=0, texture=0.35, top_tint=None,
          mist=150, rock=False, shade=0):
    """Lays one band of land over the picture: silhouette, colour, texture and a
    mist that thickens towards its foot, which gives the depth of the view."""
    w, h = img.size
    mask = silhouette(w, h, heights, extra)
    top = int(min(heights)) - 40
    col = textured(w, h, colour, rng, texture)
    if shade:
        sh = slope_shading(w, h, heights, shade)
        col = ImageChops.soft_light(col, Image.merge("RGB", (sh, sh, sh)))
    if rock:
        # steep faces: faint vertical streaks of light and shade
        streaks = stretched_noise(w, h, 1, 6, 3, 3, rng).point(lambda v: clamp(128 + (v - 128) * 3 // 10))
        col = ImageChops.soft_light(col, Image.merge("RGB", (streaks, streaks, streaks)))
    if top_tint:
        # light catching the upper slopes
        tint = row_mask(w, h, [(max(0, top), 255), (int(max(heights)) + 30, 0)])
        col = Image.composite(flat(w, h, top_tint), col, tint.point(lambda v: v * 80 // 255))
    if haze:
        foot = int(max(heights)) + haze_depth
        m = row_mask(w, h, [(max(0, top), 0), (foot, mist), (foot + 40, mist + 40)])
        col = Image.composite(flat(w, h, haze), col, m)
    return paint(img, col, mask), mask


def brushwork(img, rng, amount):
    """Short horizontal strokes and a median smear, so surfaces read as painted."""
    w, h = img.size
    img = img.filter(ImageFilter.MedianFilter(3))
    strokes = stretched_noise(w, h, 6, 1, 6, 3, rng)
    lut = [clamp(int(round(128 + (v - 128) * amount))) for v in range(256)]
    s = strokes.point(lut)
    img = ImageChops.soft_light(img, Image.merge("RGB", (s, s, s)))
    return img.filter(ImageFilter.GaussianBlur(0.5))


def darken(img, mask, factor):
    """Darkens the picture where the mask is white, by up to the given factor."""
    dark = img.point(lambda v: int(v * factor))
    return Image.composite(dark, img, mask)


def soft_box(w, h, box, feather, level):
    """L mask: a rounded box of the given level with soft, feathered edges."""
    m = Image.new("L", (w, h), 0)
    ImageDraw.Draw(m).rounded_rectangle(box, radius=feather, fill=level)
    return m.filter(ImageFilter.GaussianBlur(feather))


def vignette(img, strength):
    w, h = img.size
    v = Image.radial_gradient("L").resize((w + w // 3, h + h // 3), Image.BICUBIC)
    v = v.crop((w // 6, h // 6, w // 6 + w, h // 6 + h))
    v = v.point(lambda p: int(255 * smoothstep(70, 190, p) * strength))
    return darken(img, v, 0.35)


# ---------------------------------------------------------------- backgrounds

def clouds(img, rng, top_colour, lit_colour, band, density, cover):
    """Soft banks of cloud, lit along their upper edges."""
    w, h = img.size
    n = stretched_noise(w, h, 4, 1, 20, 5, rng)
    lo = int(255 * (1.0 - density))
    shape = n.point(lambda v: int(255 * smoothstep(lo, lo + 70, v) * cover))
    shape = ImageChops.multiply(shape, row_mask(w, h, band))
    shape = shape.filter(ImageFilter.GaussianBlur(3))
    img = paint(img, flat(w, h, top_colour), shape)
    rim = ImageChops.subtract(shape, ImageChops.offset(shape, 0, 4)).filter(ImageFilter.GaussianBlur(2))
    return paint(img, flat(w, h, lit_colour), rim.point(lambda v: min(255, v * 2)))


def castle(cx, base):
    """A walled keep with round-roofed towers on a crag, as an extra-shapes callback."""
    def draw(d, s):
        def rect(x0, y0, x1, y1):
            d.rectangle([x0 * s, y0 * s, x1 * s, y1 * s], fill=255)

        def battlements(x0, x1, top):
            bx = x0
            while bx < x1 - 1:
                rect(bx, top - 2.5, bx + 1.8, top)
                bx += 3.6

        def tower(x, w, top, roof):
            rect(x, top, x + w, base + 8)
            if roof:
                # a little overhanging hoarding, then the cone and a pennant
                rect(x - 1, top - 1.5, x + w + 1, top + 1)
                d.polygon([((x - 1.5) * s, (top - 1.5) * s), ((x + w / 2) * s, (top - roof) * s),
                           ((x + w + 1.5) * s, (top - 1.5) * s)], fill=255)
                rect(x + w / 2 - 0.35, top - roof - 6, x + w / 2 + 0.35, top - roof)
                d.polygon([((x + w / 2 + 0.3) * s, (top - roof - 6) * s),
                           ((x + w / 2 + 6) * s, (top - roof - 4.8) * s),
                           ((x + w / 2 + 0.3) * s, (top - roof - 3.4) * s)], fill=255)
            else:
                battlements(x, x + w, top)
        # outer curtain wall, stepping down the slope on the right
        rect(cx - 44, base - 16, cx + 24, base + 8)
        battlements(cx - 44, cx + 24, base - 16)
        rect(cx + 24, base - 10, cx + 50, base + 10)
        battlements(cx + 24, cx + 50, base - 10)
        # gatehouse
        tower(cx + 46, 10, base - 24, 12)
        tower(cx - 52, 10, base - 34, 13)
        # inner ward
        rect(cx - 30, base - 30, cx + 18, base)
        battlements(cx - 30, cx + 18, base - 30)
        tower(cx - 24, 16, base - 50, 0)      # the keep
        tower(cx - 34, 7, base - 44, 10)
        tower(cx - 4, 9, base - 70, 18)       # the high tower
        tower(cx + 12, 8, base - 46, 12)
        tower(cx + 26, 6, base - 28, 9)
    return draw


def windows(img, points, rng):
    """Warm lit windows with a faint glow around each."""
    w, h = img.size
    glow = Image.new("L", (w, h), 0)
    dots = Image.new("L", (w, h), 0)
    gd, dd = ImageDraw.Draw(glow), ImageDraw.Draw(dots)
    for x, y in points:
        gd.ellipse([x - 3, y - 3, x + 4, y + 4], fill=60)
        dd.rectangle([x, y, x + 1, y + rng.choice((1, 2))], fill=230)
    glow = glow.filter(ImageFilter.GaussianBlur(2))
    img = paint(img, flat(w, h, (240, 150, 60)), glow)
    return paint(img, flat(w, h, (255, 214, 130)), dots)


def moon(img, cx, cy, r):
    """A pale crescent with a faint halo, drawn before the clouds so they can cross it."""
    w, h = img.size
    img = paint(img, flat(w, h, (150, 130, 170)), radial_glow(w, h, cx, cy, r * 5, r * 5, 70))
    s = 4
    disc = Image.new("L", (w * s, h * s), 0)
    d = ImageDraw.Draw(disc)
    d.ellipse([(cx - r) * s, (cy - r) * s, (cx + r) * s, (cy + r) * s], fill=255)
    d.ellipse([(cx - r + 6) * s, (cy - r - 3) * s, (cx + r + 6) * s, (cy + r - 3) * s], fill=0)
    disc = disc.resize((w, h), Image.LANCZOS)
    return paint(img, flat(w, h, (240, 228, 200)), disc)


def title_background():
    """Dusk over a mountain range, a castle on its crag against the afterglow."""
    rng = random.Random(4101)
    w, h = SCREEN_W, SCREEN_H
    img = vertical_gradient(w, h, [(0, (22, 22, 52)), (90, (56, 44, 88)), (170, (128, 74, 98)),
                                   (235, (206, 118, 72)), (270, (226, 150, 84)), (480, (226, 150, 84))])
    img = paint(img, flat(w, h, (252, 196, 120)), radial_glow(w, h, 150, 240, 260, 110, 170))
    img = moon(img, 536, 58, 11)
    img = clouds(img, rng, (74, 52, 86), (214, 128, 96), [(0, 120), (60, 255), (150, 200), (215, 0)], 0.45, 0.8)
    img = clouds(img, rng, (150, 86, 92), (236, 164, 110), [(120, 0), (170, 200), (215, 60), (235, 0)], 0.35, 0.6)
    # a few early stars high up
    sd = ImageDraw.Draw(img)
    for _ in range(55):
        x, y = rng.randrange(w), rng.randrange(0, 70)
        b = rng.randrange(110, 190)
        sd.point((x, y), fill=(b, b, min(255, b + 30)))

    far = peaks(w, rng, 232, 14, 76, 18)
    img, _ = layer(img, far, (82, 56, 90), rng, haze=(176, 104, 90), haze_depth=-5, texture=0.3,
                   mist=90, shade=-8)
    img = snow(img, far, rng, 174, (150, 106, 122))
    mid = peaks(w, rng, 262, 10, 46, 12)
    img, _ = layer(img, mid, (54, 38, 64), rng, haze=(124, 76, 86), haze_depth=8, texture=0.35,
                   mist=80, shade=-8)

    # the crag with the castle, left of the button column
    crag = ridge(w, rng, 272, 14, 0.5)
    crag_top = 206
    for x in range(w):
        if x < 140:
            lift = 66 * math.exp(-((140 - x) / 22.0) ** 1.5)      # the cliff under the west wall
        elif x <= 258:
            lift = 66
        else:
            lift = 66 * math.exp(-((x - 258) / 70.0) ** 1.3)      # the long slope to the east
        crag[x] = min(crag[x], max(crag_top + 1.5 * math.sin(x / 4.0), crag[x] - lift))
    low = [c + 3 if c > crag_top + 34 else None for c in crag]
    trees = forest_on(low, rng, 0.5, 5, 12)
    img, _ = layer(img, crag, (44, 32, 52), rng, extra=combine(castle(196, crag_top), trees),
                   haze=(96, 64, 82), haze_depth=30, texture=0.3, mist=120, shade=-10,
                   top_tint=(110, 66, 70))
    img = windows(img, [(178, crag_top - 40), (185, crag_top - 22), (196, crag_top - 58),
                        (198, crag_top - 46), (215, crag_top - 32), (226, crag_top - 6),
                        (150, crag_top - 26), (244, crag_top - 16)], rng)

    hills = ridge(w, rng, 330, 22, 0.55)
    img, _ = layer(img, hills, (30, 24, 40), rng, extra=forest_on(hills, rng, 0.5, 8, 18),
                   haze=(70, 48, 66), haze_depth=30, texture=0.3)
    front = ridge(w, rng, 410, 26, 0.5)
    img, _ = layer(img, front, (18, 15, 26), rng, extra=forest_on(front, rng, 0.4, 14, 30),
                   texture=0.25)

    img = brushwork(img, rng, 0.18)
    img = vignette(img, 0.9)
    # calm the corner where the version line stands
    img = darken(img, soft_box(w, h, (0, 448, 330, 490), 10, 200), 0.55)
    return img


def village(img, cx, heights, wall, roof):
    """A cluster of cottages and a church on a hillside: sunlit walls under dark roofs."""
    w, h = img.size
    sc = 2
    walls = Image.new("L", (w * sc, h * sc), 0)
    roofs = Image.new("L", (w * sc, h * sc), 0)
    wd, rd = ImageDraw.Draw(walls), ImageDraw.Draw(roofs)

    def house(x, hw, hh, pitch):
        y = heights[int(x + hw / 2)] + 3
        wd.rectangle([x * sc, (y - hh) * sc, (x + hw) * sc, (y + 2) * sc], fill=255)
        rd.polygon([((x - 1.2) * sc, (y - hh + 0.5) * sc), ((x + hw / 2) * sc, (y - hh - pitch) * sc),
                    ((x + hw + 1.2) * sc, (y - hh + 0.5) * sc)], fill=255)

    for dx, hw, hh in ((-40, 10, 7), (-27, 12, 8), (-12, 9, 6), (16, 11, 7), (30, 10, 6), (44, 8, 5)):
        house(cx + dx, hw, hh, hw * 0.55)
    # the church: nave, tower and spire
    x = cx + 2
    y = heights[int(x)] + 3
    house(x - 9, 10, 9, 5)
    wd.rectangle([x * sc, (y - 24) * sc, (x + 7) * sc, (y + 2) * sc], fill=255)
    rd.polygon([((x - 0.8) * sc, (y - 24) * sc), ((x + 3.5) * sc, (y - 40) * sc), ((x + 7.8) * sc, (y - 24) * sc)],
               fill=255)
    walls = walls.resize((w, h), Image.LANCZOS)
    roofs = roofs.resize((w, h), Image.LANCZOS)
    img = paint(img, flat(w, h, wall), walls)
    img = paint(img, flat(w, h, roof), roofs)
    return img


def reflect(img, top, depth, rng):
    """Water from y = top down: the land and sky above mirrored, dimmed and rippled."""
    w = img.size[0]
    above = img.crop((0, top - depth, w, top)).transpose(Image.FLIP_TOP_BOTTOM)
    water = above.point(lambda v: int(v * 0.72 + 8))
    ripples = stretched_noise(w, depth, 24, 1, 6, 3, rng).point(lambda v: clamp(128 + (v - 128) * 2 // 3))
    water = ImageChops.soft_light(water, Image.merge("RGB", (ripples, ripples, ripples)))
    glints = stretched_noise(w, depth, 30, 1, 4, 2, rng).point(lambda v: 120 if v > 236 else 0)
    water = Image.composite(flat(w, depth, (190, 200, 205)), water, glints.filter(ImageFilter.GaussianBlur(0.6)))
    img.paste(water, (0, top))
    return img


def generic_background():
    """A quiet daylight valley: hazy ranges, a lake, wooded hills and a village."""
    rng = random.Random(2207)
    w, h = SCREEN_W, SCREEN_H
    img = vertical_gradient(w, h, [(0, (38, 62, 104)), (110, (66, 96, 138)), (190, (116, 142, 170)),
                                   (240, (160, 174, 184)), (480, (160, 174, 184))])
    img = paint(img, flat(w, h, (206, 196, 170)), radial_glow(w, h, 520, 150, 220, 120, 70))
    img = clouds(img, rng, (96, 116, 148), (176, 184, 198), [(0, 160), (70, 255), (180, 150), (230, 0)],
                 0.5, 0.75)
    img = clouds(img, rng, (150, 162, 178), (206, 206, 204), [(140, 0), (190, 170), (230, 0)], 0.4, 0.6)

    far = peaks(w, rng, 236, 12, 72, 10)
    img, _ = layer(img, far, (88, 104, 134), rng, haze=(150, 164, 178), haze_depth=-10, texture=0.25,
                   mist=90, shade=10)
    img = snow(img, far, rng, 200, (204, 212, 222))
    mid = ridge(w, rng, 254, 18, 0.55)
    img, _ = layer(img, mid, (58, 82, 82), rng, extra=forest_on(mid, rng, 0.7, 3, 6),
                   haze=(112, 130, 136), haze_depth=12, texture=0.3, mist=60, top_tint=(110, 130, 100))
    lake_top = 284
    img = reflect(img, lake_top, 80, rng)
    shore = Image.new("L", (w, h), 0)
    ImageDraw.Draw(shore).line([(0, lake_top), (w, lake_top)], fill=140, width=1)
    img = paint(img, flat(w, h, (150, 162, 164)), shore)

    near = ridge(w, rng, 318, 18, 0.55)
    for x in range(w):
        near[x] += 50 * math.exp(-((x - 300) / 120.0) ** 2)   # leave the lake open in the middle
    img, _ = layer(img, near, (50, 78, 44), rng, extra=forest_on(near, rng, 0.45, 6, 12, "mixed"),
                   haze=(96, 118, 100), haze_depth=20, texture=0.35, top_tint=(128, 142, 78), mist=60)
    img = village(img, 532, near, (140, 126, 102), (86, 48, 40))

    hills = ridge(w, rng, 386, 20, 0.5)
    img, _ = layer(img, hills, (36, 58, 34), rng, extra=forest_on(hills, rng, 0.5, 10, 20, "mixed"),
                   haze=(66, 88, 66), haze_depth=25, texture=0.3, top_tint=(80, 104, 50), mist=50)
    front = ridge(w, rng, 438, 16, 0.5)
    img, _ = layer(img, front, (20, 32, 22), rng, extra=forest_on(front, rng, 0.35, 16, 30, "mixed"),
                   texture=0.25)

    img = brushwork(img, rng, 0.16)
    img = vignette(img, 0.8)
    # a gentle shadow behind the greeting and behind the credit lines
    img = darken(img, soft_box(w, h, (60, 88, 580, 176), 24, 150), 0.72)
    img = darken(img, soft_box(w, h, (0, 432, 300, 490), 10, 200), 0.6)
    return img


# ---------------------------------------------------------------- buttons

# Palettes of the plates: outline, rim light, rim, rim shade, groove, face, face grain.
PLATE_NORMAL = dict(outline=(20, 12, 8), light=(214, 168, 98), rim=(160, 112, 60), shade=(92, 58, 30),
                    groove=(34, 22, 14), face=(66, 44, 30), grain=0.22)
PLATE_HOVER = dict(outline=(30, 18, 6), light=(255, 236, 160), rim=(236, 186, 96), shade=(170, 116, 50),
                   groove=(255, 206, 110), face=(92, 64, 40), grain=0.22)
PLATE_DOWN = dict(outline=(12, 8, 4), light=(150, 110, 60), rim=(112, 78, 42), shade=(52, 32, 16),
                  groove=(18, 12, 8), face=(42, 28, 19), grain=0.18)


def edge_distance(x, y, w, h, chamfer):
    """Distance to the outline of a plate with cut corners; negative outside it."""
    d = min(x, y, w - 1 - x, h - 1 - y)
    for cx, cy in ((x, y), (w - 1 - x, y), (x, h - 1 - y), (w - 1 - x, h - 1 - y)):
        d = min(d, cx + cy - chamfer)
    return d


def lit_side(x, y, w, h):
    """+1 where the rim faces the light (top and left), -1 where it faces away."""
    top_left = min(x, y)
    bottom_right = min(w - 1 - x, h - 1 - y)
    if top_left < bottom_right:
        return 1
    if bottom_right < top_left:
        return -1
    return 0


def grain_image(w, h, rng):
    """Wood grain: long horizontal streaks with a slight wave."""
    streaks = stretched_noise(w, h, 12, 1, 4, 3, rng)
    wave = noise(w, h, 16, rng)
    return ImageChops.blend(streaks, wave, 0.3)


def plate(w, h, pal, pressed, rng_seed, chamfer=3, rim=2, rivets=True):
    """A framed wooden plate with a bronze rim; the three button states differ in
    palette, and the pressed one has its bevel turned round and its face moved
    one pixel down and right."""
    rng = random.Random(rng_seed)  # same grain in every state of one button
    grain = grain_image(w + 2, h + 2, rng).load()
    img = Image.new("RGB", (w, h), MAGENTA)
    px = img.load()
    shift = 1 if pressed else 0
    for y in range(h):
        for x in range(w):
            d = edge_distance(x, y, w, h, chamfer)
            if d < 0:
                continue
            side = lit_side(x, y, w, h)
            if pressed:
                side = -side
            if d == 0:
                c = pal["outline"]
            elif d <= rim:
                c = pal["light"] if side > 0 else pal["shade"] if side < 0 else pal["rim"]
                if d == rim and side != 0:
                    c = mix(c, pal["rim"], 0.5)
            elif d == rim + 1 and rim > 1:
                c = pal["groove"]
            else:
                g = grain[x + 1 - shift, y + 1 - shift] - 128
                c = scale(pal["face"], 1.0 + pal["grain"] * g / 128.0)
                # the face darkens a little towards its foot and, when pressed, under its top edge
                t = (y - rim - 2) / float(max(1, h - 2 * rim - 4))
                c = scale(c, 1.08 - 0.16 * t)
                if pressed and d <= rim + 2 and side < 0:
                    c = scale(c, 0.7)
            px[x, y] = c
    if rivets and h >= 24:
        for rx in (rim + 6, w - 1 - rim - 6):
            rivet(px, rx + shift, h // 2 + shift, pal)
    return img


def rivet(px, x, y, pal):
    """A small bronze stud with a highlight."""
    ring = scale(pal["rim"], 0.55)
    for dy in range(-2, 3):
        for dx in range(-2, 3):
            r = dx * dx + dy * dy
            if r > 5:
                continue
            if r >= 4:
                px[x + dx, y + dy] = ring
            else:
                px[x + dx, y + dy] = pal["rim"]
    px[x - 1, y - 1] = pal["light"]
    px[x + 1, y + 1] = pal["shade"]


def caption_plate(w, h, seed):
    """Normal, pressed and hovered pictures of a plate that carries a text label."""
    return {
        "u": plate(w, h, PLATE_NORMAL, False, seed),
        "d": plate(w, h, PLATE_DOWN, True, seed),
        "h": hover_glow(plate(w, h, PLATE_HOVER, False, seed), 3),
    }


def hover_glow(img, rim):
    """Warms the inside edge of a hovered plate, as if its rim were lit."""
    w, h = img.size
    px = img.load()
    for y in range(h):
        for x in range(w):
            d = edge_distance(x, y, w, h, 3)
            if rim + 2 <= d <= rim + 3:
                px[x, y] = mix(px[x, y], (250, 190, 90), 0.45 if d == rim + 2 else 0.2)
    return img


def arrow_button(direction):
    """The small 16 by 8 spin buttons with a triangle pointing up or down."""
    w, h = 16, 8
    rows = [2, 4, 6] if direction == "up" else [6, 4, 2]
    states = {}
    for state, pal in (("u", PLATE_NORMAL), ("d", PLATE_DOWN), ("h", PLATE_HOVER)):
        pressed = state == "d"
        img = plate(w, h, pal, pressed, 77, chamfer=1, rim=1, rivets=False)
        px = img.load()
        colour = {"u": (236, 204, 130), "d": (170, 136, 80), "h": (255, 246, 200)}[state]
        shift = 1 if pressed else 0
        for i, width in enumerate(rows):
            y = 2 + i + shift
            x0 = 8 - width // 2 + shift
            for x in range(x0, x0 + width):
                px[x, y] = colour
        states[state] = img
    return states


# ---------------------------------------------------------------- flags

def union_jack(d, w, h):
    blue, red, white = (1, 33, 105), (200, 16, 46), (255, 255, 255)
    d.rectangle([0, 0, w, h], fill=blue)
    t = h / 30.0
    d.line([(0, 0), (w, h)], fill=white, width=int(6 * t))
    d.line([(0, h), (w, 0)], fill=white, width=int(6 * t))
    # the red diagonals sit off-centre, clockwise, as on the real flag
    off = 1.0 * t
    for (x0, y0, x1, y1, ox, oy) in ((0, 0, w / 2, h / 2, 0, -off), (w / 2, h / 2, w, h, 0, off),
                                     (w, 0, w / 2, h / 2, off, 0), (w / 2, h / 2, 0, h, -off, 0)):
        d.line([(x0 + ox, y0 + oy), (x1 + ox, y1 + oy)], fill=red, width=int(2 * t))
    d.rectangle([w / 2 - 5 * t, 0, w / 2 + 5 * t, h], fill=white)
    d.rectangle([0, h / 2 - 5 * t, w, h / 2 + 5 * t], fill=white)
    d.rectangle([w / 2 - 3 * t, 0, w / 2 + 3 * t, h], fill=red)
    d.rectangle([0, h / 2 - 3 * t, w, h / 2 + 3 * t], fill=red)


def dutch(d, w, h):
    d.rectangle([0, 0, w, h / 3], fill=(174, 28, 40))
    d.rectangle([0, h / 3, w, 2 * h / 3], fill=(255, 255, 255))
    d.rectangle([0, 2 * h / 3, w, h], fill=(33, 70, 139))


def swedish(d, w, h):
    d.rectangle([0, 0, w, h], fill=(0, 106, 167))
    u = h / 10.0
    x0 = w * 5 / 16.0
    d.rectangle([x0, 0, x0 + w * 2 / 16.0, h], fill=(254, 204, 0))
    d.rectangle([0, 4 * u, w, 6 * u], fill=(254, 204, 0))


def spanish(d, w, h):
    red, gold = (170, 21, 27), (241, 191, 0)
    d.rectangle([0, 0, w, h], fill=red)
    d.rectangle([0, h / 4, w, 3 * h / 4], fill=gold)
    # a plain crowned shield for the arms
    cx, cy, s = w * 0.33, h / 2, h / 40.0
    d.rectangle([cx - 5 * s, cy - 9 * s, cx + 5 * s, cy - 6 * s], fill=(200, 150, 0))
    d.polygon([(cx - 6 * s, cy - 6 * s), (cx + 6 * s, cy - 6 * s), (cx + 6 * s, cy + 3 * s),
               (cx, cy + 9 * s), (cx - 6 * s, cy + 3 * s)], fill=red)
    d.rectangle([cx - 6 * s, cy - 6 * s, cx, cy + 1 * s], fill=(180, 40, 40))
    d.polygon([(cx - 6 * s, cy - 6 * s), (cx + 6 * s, cy - 6 * s), (cx + 6 * s, cy + 3 * s),
               (cx, cy + 9 * s), (cx - 6 * s, cy + 3 * s)], outline=(120, 80, 0))
    d.rectangle([cx - 11 * s, cy - 6 * s, cx - 9 * s, cy + 8 * s], fill=(230, 230, 230))
    d.rectangle([cx + 9 * s, cy - 6 * s, cx + 11 * s, cy + 8 * s], fill=(230, 230, 230))


FLAG_W, FLAG_H = 72, 38


def flag_image(draw_fn):
    """The flag drawn four times larger and reduced, with a gentle cloth ripple."""
    s = 4
    big = Image.new("RGB", (FLAG_W * s, FLAG_H * s))
    draw_fn(ImageDraw.Draw(big), FLAG_W * s - 1, FLAG_H * s - 1)
    img = big.resize((FLAG_W, FLAG_H), Image.LANCZOS)
    px = img.load()
    for y in range(FLAG_H):
        for x in range(FLAG_W):
            f = 1.0 + 0.09 * math.sin(x / 7.0 + y / 19.0) - 0.05 * (x / float(FLAG_W))
            px[x, y] = scale(px[x, y], f)
    return img


LANGUAGES = [
    ("en", "English", union_jack),
    ("du", "Nederlands", dutch),
    ("sw", "Svenska", swedish),
    ("sp", "Espa\u00f1ol", spanish),
]


def language_button(name, draw_flag, seed):
    """A 96 by 64 plate showing the flag and the language's own name beneath it."""
    w, h = 96, 64
    flag = flag_image(draw_flag)
    font = ImageFont.truetype(BOLD_FONT, 11)
    states = {}
    for state, pal, bright in (("u", PLATE_NORMAL, 1.0), ("d", PLATE_DOWN, 0.72), ("h", PLATE_HOVER, 1.12)):
        pressed = state == "d"
        img = plate(w, h, pal, pressed, seed, rivets=False)
        if state == "h":
            img = hover_glow(img, 2)
        shift = 1 if pressed else 0
        fx, fy = (w - FLAG_W) // 2 + shift, 7 + shift
        frame = {"u": (24, 16, 10), "d": (14, 10, 6), "h": (255, 214, 120)}[state]
        ImageDraw.Draw(img).rectangle([fx - 1, fy - 1, fx + FLAG_W, fy + FLAG_H], outline=frame)
        img.paste(flag.point(lambda v: clamp(int(v * bright))), (fx, fy))
        d = ImageDraw.Draw(img)
        tw = d.textlength(name, font=font)
        tx, ty = (w - tw) / 2 + shift, 47 + shift
        text_colour = {"u": (240, 226, 196), "d": (196, 180, 150), "h": (255, 246, 214)}[state]
        d.text((tx + 1, ty + 1), name, font=font, fill=(10, 6, 4))
        d.text((tx, ty), name, font=font, fill=text_colour)
        states[state] = img
    return states


# ---------------------------------------------------------------- pointer

# A classic arrow: # is the outline, o the fill; its tip is the first pixel.
POINTER_SHAPE = [
    "#",
    "##",
    "#o#",
    "#oo#",
    "#ooo#",
    "#oooo#",
    "#ooooo#",
    "#oooooo#",
    "#ooooooo#",
    "#oooooooo#",
    "#ooooooooo#",
    "#oooooo#####",
    "#ooo#oo#",
    "#oo##oo#",
    "#o#  #oo#",
    "##   #oo#",
    "#     #oo#",
    "      #oo#",
    "       ##",
]
POINTER_FOCUS = (32, 32)


def pointer():
    """A 64 by 64 picture with the arrow's tip on the focus pixel (32, 32)."""
    img = Image.new("RGB", (64, 64), MAGENTA)
    px = img.load()
    outline = (38, 22, 10)
    rows = len(POINTER_SHAPE)
    for row, line in enumerate(POINTER_SHAPE):
        for col, ch in enumerate(line):
            x, y = POINTER_FOCUS[0] + col, POINTER_FOCUS[1] + row
            if ch == "#":
                px[x, y] = outline
            elif ch == "o":
                # parchment gold, paler along the leading edge
                c = mix((255, 244, 206), (214, 164, 84), row / float(rows))
                if col == 1:
                    c = mix(c, (255, 255, 240), 0.5)
                px[x, y] = c
    return img


# ---------------------------------------------------------------- output

def save_buttons(folder):
    made = {}
    sets = {
        "big_01": caption_plate(256, 32, 11),
        "sml_01": caption_plate(112, 32, 12),
        "up": arrow_button("up"),
        "down": arrow_button("down"),
    }
    for i, (name, label, fn) in enumerate(LANGUAGES):
        sets[name] = language_button(label, fn, 20 + i)
    for name, states in sets.items():
        for state, img in states.items():
            path = os.path.join(folder, "%s_%s.png" % (name, state))
            img.save(path, optimize=True)
        made[name] = states
    return made


def preview(folder, title, generic, buttons):
    """Both backgrounds with their widgets placed as the screens place them."""
    font16 = ImageFont.truetype(BOLD_FONT, 13)
    font8 = ImageFont.truetype(BOLD_FONT, 8)

    def sprite(canvas, img, x, y):
        key = Image.new("RGB", img.size, MAGENTA)
        diff = ImageChops.difference(img, key).convert("L").point(lambda v: 255 if v else 0)
        canvas.paste(img, (x, y), diff)

    def outlined(d, xy, text, font, anchor="la"):
        x, y = xy
        for dx, dy in ((-1, 0), (1, 0), (0, -1), (0, 1), (-1, -1), (1, 1), (-1, 1), (1, -1)):
            d.text((x + dx, y + dy), text, font=font, fill=(0, 0, 0), anchor=anchor)
        d.text((x, y), text, font=font, fill=(236, 236, 236), anchor=anchor)

    t = title.copy()
    panel = t.crop((32, 300, 320, 448)).point(lambda v: v * 63 // 255)
    t.paste(panel, (32, 300))
    d = ImageDraw.Draw(t)
    captions = ["Campaign", "Multi-player", "Tutorial", "Map Editor", "Options", "Help", "Quit"]
    for i, cap in enumerate(captions):
        y = 232 + 32 * i
        state = "h" if i == 3 else "d" if i == 5 else "u"
        sprite(t, buttons["big_01"][state], 352, y)
        outlined(d, (480, y + 5), cap, font16, "ma")
    for i in range(8):
        outlined(d, (40, 308 + 12 * i), "Welcome, traveller, to the realm of maps.", font8)
    outlined(d, (32, 460), "Version 0.3.1", font8)
    t.save(os.path.join(folder, "preview_title.png"))

    g = generic.copy()
    d = ImageDraw.Draw(g)
    outlined(d, (320, 100), "Welcome to Quillbrook!", font16, "ma")
    outlined(d, (320, 132), "Please select a language.", font16, "ma")
    outlined(d, (320, 148), "You may change this setting later by selecting \"Options\" from the main menu.",
             ImageFont.truetype(BOLD_FONT, 10), "ma")
    for i, name in enumerate(["en", "du", "sw", "sp"]):
        state = "h" if i == 1 else "d" if i == 2 else "u"
        sprite(g, buttons[name][state], 16 + 104 * i, 250)
    for i, line in enumerate(["Quillbrook", "Ver. 0.3.1", "(c) 2025-2026 The Quillbrook developers"]):
        outlined(d, (16, 440 + 8 * i), line, font8)
    g.save(os.path.join(folder, "preview_generic.png"))

    # every button state side by side, enlarged, to judge the edges
    sheet = Image.new("RGB", (3 * 270, 420), (60, 60, 60))
    y = 4
    for name in ["big_01", "sml_01", "up", "down", "en", "du", "sw", "sp"]:
        x = 4
        for state in "udh":
            sheet.paste(buttons[name][state], (x, y))
            x += buttons[name][state].width + 8
        y += buttons[name]["u"].height + 6
    sheet.save(os.path.join(folder, "preview_buttons.png"))
    big = sheet.resize((sheet.width * 2, sheet.height * 2), Image.NEAREST)
    big.save(os.path.join(folder, "preview_buttons_x2.png"))


def main(argv):
    preview_dir = None
    if len(argv) >= 2 and argv[0] == "--preview":
        preview_dir = argv[1]
    images = os.path.join(ROOT, "system", "images")
    for sub in ("mouse", "buttons", "bg"):
        os.makedirs(os.path.join(images, sub), exist_ok=True)

    pointer().save(os.path.join(images, "mouse", "pointer_01.bmp"))
    buttons = save_buttons(os.path.join(images, "buttons"))
    title = title_background()
    title.save(os.path.join(images, "bg", "title_01.jpg"), quality=90)
    generic = generic_background()
    generic.save(os.path.join(images, "bg", "generic_01.jpg"), quality=90)
    if preview_dir:
        os.makedirs(preview_dir, exist_ok=True)
        preview(preview_dir, title, generic, buttons)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
