#!/usr/bin/python3
# preview_fonts.py -- draws sample text with the three font sheets the way the program reads them
#
# Reads the sheets by the same rules as the program (pink is transparent like magenta, the advance
# is the offset of the blue pixel on the marker line) and writes a PNG with the samples on a
# photo-like picture, on mid grey and on a dark translucent panel, enlarged so single pixels show.
# Usage: /usr/bin/python3 tools/preview_fonts.py [out.png] [scale]

import os
import random
import sys

from PIL import Image, ImageDraw, ImageFilter

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FONT_DIR = os.environ.get("QB_FONT_DIR", os.path.join(ROOT, "system", "images", "fonts"))
FONTS = {1: ("standard.bmp", 8, 8), 2: ("lat16w.bmp", 16, 16), 3: ("lat12w.bmp", 12, 12)}
MASK = ((255, 0, 255), (255, 128, 255))
BLUE = (0, 0, 255)

SAMPLES = [
    "The quick brown fox jumps over the lazy dog 0123456789",
    "\u00c5\u00c4\u00d6 \u00e5\u00e4\u00f6 \u00e9 \u00f1 \u00bf\u00a1 \u00df "
    "\u00c0\u00c9\u00d1\u00dc\u00c7\u00de \u00fd\u00ff\u00e7\u00f0 \u00ab\u00a9\u00ae\u00b0\u00b1\u00bb",
    "FPS: 60   Quillbrook 0.3.1   [Map editor] (Help) {x}=|y| @#$%&*",
]


class Font:
    def __init__(self, file_name, w, h):
        self.sheet = Image.open(os.path.join(FONT_DIR, file_name)).convert("RGB")
        self.w, self.h = w, h
        self.widths = []
        for g in range(256):
            x0 = w * (g % 16 + 1)
            y = (g // 16) * (h + 1) + h
            j = 0
            while j < w and self.sheet.getpixel((x0 + j, y)) != BLUE:
                j += 1
            self.widths.append(j)

    def draw(self, target, x, y, text):
        for ch in text:
            g = ord(ch)
            sx, sy = self.w * (g % 16 + 1), (self.h + 1) * (g // 16 + 1)
            for j in range(self.h):
                for i in range(self.w):
                    colour = self.sheet.getpixel((sx + i, sy + j))
                    inside = 0 <= x + i < target.size[0] and 0 <= y + j < target.size[1]
                    if colour not in MASK and inside:
                        target.putpixel((x + i, y + j), colour)
            x += self.widths[g]


def photo_background(size):
    """Blurred coloured noise over a sky-to-meadow gradient: busy and bright like a photograph."""
    random.seed(7)
    w, h = size
    image = Image.new("RGB", size)
    for y in range(h):
        t = y / h
        sky = (int(120 + 100 * t), int(170 + 40 * t), int(230 - 120 * t))
        for x in range(w):
            image.putpixel((x, y), sky)
    noise = Image.new("RGB", (w // 6 + 1, h // 6 + 1))
    for y in range(noise.size[1]):
        for x in range(noise.size[0]):
            noise.putpixel((x, y), tuple(random.randint(0, 255) for _ in range(3)))
    noise = noise.resize(size, Image.BILINEAR).filter(ImageFilter.GaussianBlur(2))
    return Image.blend(image, noise, 0.45)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "font_preview.png"
    scale = int(sys.argv[2]) if len(sys.argv) > 2 else 2
    fonts = {n: Font(*layout) for n, layout in FONTS.items()}
    width, block = 560, sum(f.h for f in fonts.values()) * len(SAMPLES) + 16
    picture = Image.new("RGB", (width, block * 3), (128, 128, 128))
    picture.paste(photo_background((width, block)), (0, 0))
    panel = Image.new("RGB", (width, block), (0, 0, 0))
    picture.paste(Image.blend(photo_background((width, block)), panel, 192 / 255), (0, 2 * block))
    for band in range(3):
        y = band * block + 4
        for n in (1, 2, 3):
            for text in SAMPLES:
                fonts[n].draw(picture, 4, y, text)
                y += fonts[n].h
            y += 4
    picture = picture.resize((width * scale, block * 3 * scale), Image.NEAREST)
    picture.save(out)
    print("wrote", out)


if __name__ == "__main__":
    main()
