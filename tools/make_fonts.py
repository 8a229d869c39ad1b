#!/usr/bin/python3
# make_fonts.py -- draws the three glyph sheets of system/images/fonts/ from free fonts that Debian ships
#
# Sources (see tools/FONTS.md):
#   font 1, standard.bmp: misc-fixed 5x8, ISO 8859-1 (Debian package xfonts-base), public domain,
#                         with the square full stop of misc-fixed 5x7
#   font 2, lat16w.bmp:   DejaVu Sans Bold at 12 pixels (fonts-dejavu-core), Bitstream Vera licence
#   font 3, lat12w.bmp:   DejaVu Sans at 9 pixels (fonts-dejavu-core), Bitstream Vera licence, with
#                         a few small symbols from misc-fixed 6x10 (xfonts-base), public domain
#
# Every glyph is a light fill with a dark outline, in exactly two solid tones over the magenta mask, so
# text stays readable on photographs and on dark panels and masked drawing leaves no fringes.
# Advances are measured from the ink, not taken from the source font, so the bitmap fonts become
# proportional too. Run from anywhere: /usr/bin/python3 tools/make_fonts.py

import gzip
import os
import sys

from PIL import Image, ImageDraw, ImageFont, PcfFontFile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT_DIR = os.path.join(ROOT, "system", "images", "fonts")
X11_FONT_DIR = "/usr/share/fonts/X11"
DEJAVU_DIR = "/usr/share/fonts/truetype/dejavu"

MAGENTA = (255, 0, 255)
BLUE = (0, 0, 255)
FILL = (255, 246, 222)     # warm off-white
RIM = (22, 16, 12)         # near black, the one-pixel outline

BLANK_CODES = (32, 160)    # space and no-break space: an advance but no ink
CONTROL_WIDTH = 0          # codes 0-31 and 127-159 draw nothing and do not move the pen
DRAWN_AS = {173: 0x2D}     # the soft hyphen has no ink of its own in outline fonts; show a hyphen


def printable(code):
    return 32 <= code <= 126 or 160 <= code <= 255


class PcfSource:
    """A bitmap font in X11 PCF form; its glyphs are used pixel for pixel."""

    def __init__(self, name):
        self.name = name
        with gzip.open(os.path.join(X11_FONT_DIR, name + ".pcf.gz")) as fp:
            self.font = PcfFontFile.PcfFontFile(fp, "iso8859-1")

    def ink(self, code, shrink):
        # Bitmap glyphs cannot shrink; the cell sizes are chosen so that they never need to.
        if shrink > 0:
            return None
        glyph = self.font.glyph[code]
        if glyph is None:
            return set()
        _, (x0, y0, _, _), _, image = glyph
        pixels = set()
        for y in range(image.size[1]):
            for x in range(image.size[0]):
                if image.getpixel((x, y)):
                    pixels.add((x0 + x, y0 + y))
        return pixels


class TrueTypeSource:
    """An outline font rendered in monochrome with its own hinting: crisper at these sizes than a
    smooth rendering cut at a threshold, and no pixel is ever a blend."""

    CANVAS = 64
    ORIGIN = (16, 44)

    def __init__(self, file_name, size):
        self.path = os.path.join(DEJAVU_DIR, file_name)
        self.size = size
        self.fonts = {}

    def ink(self, code, shrink):
        size = self.size - shrink
        if size < 6:
            return None
        if size not in self.fonts:
            self.fonts[size] = ImageFont.truetype(self.path, size)
        image = Image.new("L", (self.CANVAS, self.CANVAS), 0)
        draw = ImageDraw.Draw(image)
        draw.fontmode = "1"
        text = chr(DRAWN_AS.get(code, code))
        draw.text(self.ORIGIN, text, font=self.fonts[size], fill=255, anchor="ls")
        ox, oy = self.ORIGIN
        return {(x - ox, y - oy)
                for y in range(self.CANVAS) for x in range(self.CANVAS)
                if image.getpixel((x, y))}


class MixedSource:
    """One source with a few glyphs taken from another of the same proportions: small outline
    shapes (rings, stars, guillemets, fractions) clog up at body-text sizes where a hand-drawn
    bitmap keeps them open, and a plus-shaped full stop inside an outline reads as a plus sign."""

    def __init__(self, main, other, codes):
        self.main, self.other, self.codes = main, other, set(codes)

    def ink(self, code, shrink):
        return (self.other if code in self.codes else self.main).ink(code, shrink)


# Two-row accents for capitals at body-text size, where the hinted outline font has only room to
# draw grave and acute alike as one upright stroke.
CAPITAL_MARKS = {
    "grave": ("#.", ".#"),
    "acute": (".#", "#."),
    "circumflex": (".#.", "#.#"),
    "tilde": (".##.#", "#..#."),
    "diaeresis": ("#.#",),
}
ACCENTED_CAPITALS = {
    192: ("A", "grave"), 193: ("A", "acute"), 194: ("A", "circumflex"), 195: ("A", "tilde"),
    196: ("A", "diaeresis"), 200: ("E", "grave"), 201: ("E", "acute"), 202: ("E", "circumflex"),
    203: ("E", "diaeresis"), 204: ("I", "grave"), 205: ("I", "acute"), 206: ("I", "circumflex"),
    207: ("I", "diaeresis"), 209: ("N", "tilde"), 210: ("O", "grave"), 211: ("O", "acute"),
    212: ("O", "circumflex"), 213: ("O", "tilde"), 214: ("O", "diaeresis"), 217: ("U", "grave"),
    218: ("U", "acute"), 219: ("U", "circumflex"), 220: ("U", "diaeresis"), 221: ("Y", "acute"),
}


class AccentedCapitals:
    """Builds the accented capitals from the plain letter and a drawn mark, one blank row above it."""

    def __init__(self, main):
        self.main = main

    def ink(self, code, shrink):
        if code not in ACCENTED_CAPITALS:
            return self.main.ink(code, shrink)
        letter, mark = ACCENTED_CAPITALS[code]
        base = self.main.ink(ord(letter), shrink)
        if not base:
            return base
        rows = CAPITAL_MARKS[mark]
        xs = [x for x, _ in base]
        left = (min(xs) + max(xs) + 1 - len(rows[0])) // 2
        bottom = min(y for _, y in base) - 2
        top = bottom - len(rows) + 1
        pixels = set(base)
        for j, row in enumerate(rows):
            for i, ch in enumerate(row):
                if ch == "#":
                    pixels.add((left + i, top + j))
        return pixels


def outline(fill):
    """The one-pixel ring, diagonals included, around the fill."""
    rim = set()
    for x, y in fill:
        for dx in (-1, 0, 1):
            for dy in (-1, 0, 1):
                rim.add((x + dx, y + dy))
    return rim - fill


class SheetRecipe:
    def __init__(self, number, file_name, cell, source, space_width, baseline=None, spacing=1):
        self.number = number
        self.file_name = file_name
        self.width, self.height = cell
        self.source = source
        self.space_width = space_width
        self.baseline = baseline
        self.spacing = spacing  # transparent columns after a glyph's outline, before the next glyph


# Fonts 1 and 3 set their baseline low enough that the descenders and the accents of capitals lose
# the outline row at the cell edge; the letters keep their size within the short line. Font 2 lets
# the outlines of neighbours touch: its bold strokes read better close together, and its longest
# fixed caption, centred on the 640-pixel screen, then keeps a margin on both sides.
RECIPES = [
    SheetRecipe(1, "standard.bmp", (8, 8),
                MixedSource(PcfSource("misc/5x8-ISO8859-1"), PcfSource("misc/5x7-ISO8859-1"), (46,)),
                3, baseline=7),
    SheetRecipe(2, "lat16w.bmp", (16, 16), TrueTypeSource("DejaVuSans-Bold.ttf", 12), 5, spacing=0),
    SheetRecipe(3, "lat12w.bmp", (12, 12),
             MixedSource(AccentedCapitals(TrueTypeSource("DejaVuSans.ttf", 9)),
                         PcfSource("misc/6x10-ISO8859-1"),
                         (42, 170, 171, 176, 178, 179, 185, 186, 187, 188, 189, 190, 197)),
             4, baseline=10),
]


def baseline_row(recipe):
    """The cell row just below the baseline, placed so the deepest descender and its outline still
    fit (unless the font names its own row)."""
    if recipe.baseline is not None:
        return recipe.baseline
    deepest = 0
    for code in range(256):
        if printable(code):
            ink = recipe.source.ink(code, 0)
            if ink:
                deepest = max(deepest, max(y for _, y in ink) + 1)
    return recipe.height - 1 - deepest


def fits(recipe, ink, baseline, clip_outline):
    """Whether the fill and its outline fit the cell; with clip_outline the outline's top and bottom
    rows may fall outside it."""
    pad = 0 if clip_outline else 1
    xs = [x for x, _ in ink]
    ys = [y for _, y in ink]
    return (max(xs) - min(xs) + 3 <= recipe.width and min(ys) + baseline >= pad
            and max(ys) + baseline <= recipe.height - 1 - pad)


def fitting_ink(recipe, code, baseline):
    """The glyph's fill pixels at the largest size that fits the cell. A glyph that is too tall only
    by its outline (accented capitals) keeps its size and loses the outline row at the cell edge,
    because at these sizes one pixel less makes a capital visibly smaller than its plain letter."""
    shrink = 0
    while True:
        ink = recipe.source.ink(code, shrink)
        if ink is None:
            sys.exit("font %d: glyph %d does not fit its %dx%d cell"
                     % (recipe.number, code, recipe.width, recipe.height))
        if not ink:
            sys.exit("font %d: the source has no ink for glyph %d" % (recipe.number, code))
        if fits(recipe, ink, baseline, False) or fits(recipe, ink, baseline, True):
            return ink
        shrink += 1


def place_glyph(recipe, code, baseline):
    """Returns the glyph's pixels as {(x, y): colour} in cell coordinates, and its advance."""
    if not printable(code):
        return {}, CONTROL_WIDTH
    if code in BLANK_CODES:
        return {}, recipe.space_width
    ink = fitting_ink(recipe, code, baseline)
    shift = 1 - min(x for x, _ in ink)
    fill = {(x + shift, y + baseline) for x, y in ink}
    pixels = {p: RIM for p in outline(fill) if 0 <= p[1] < recipe.height}
    pixels.update({p: FILL for p in fill})
    advance = max(x for x, _ in pixels) + 1 + recipe.spacing
    return pixels, min(advance, recipe.width)


def build_sheet(recipe):
    w, h = recipe.width, recipe.height
    sheet = Image.new("RGB", (17 * w, 17 * h + 16), MAGENTA)
    baseline = baseline_row(recipe)
    widths = []
    for code in range(256):
        left = w * (code % 16 + 1)
        top = (h + 1) * (code // 16 + 1)
        pixels, advance = place_glyph(recipe, code, baseline)
        for (x, y), colour in pixels.items():
            assert 0 <= x < w and 0 <= y < h, (recipe.number, code, x, y)
            sheet.putpixel((left + x, top + y), colour)
        if advance < w:
            sheet.putpixel((left + advance, top - 1), BLUE)
        widths.append(advance)
    return sheet, widths


def main(recipes=RECIPES, out_dir=OUT_DIR):
    os.makedirs(out_dir, exist_ok=True)
    for recipe in recipes:
        sheet, widths = build_sheet(recipe)
        sheet.save(os.path.join(out_dir, recipe.file_name), "BMP")
        sample = " ".join("%s=%d" % (ch if ch != " " else "space", widths[ord(ch)])
                          for ch in " aeimMW0")
        print("font %d %s: %s" % (recipe.number, recipe.file_name, sample))


if __name__ == "__main__":
    main()
