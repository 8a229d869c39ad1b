#!/usr/bin/python3
# preview_tileset.py -- composes editor-like 640x480 screens from a tileset, to look at
#
# Usage: /usr/bin/python3 tools/preview_tileset.py [tileset.png] [output folder]
# Writes scene.png (a village by a river), grass.png (a fresh map, all tile 1),
# grounds.png (wide patches of each ground, to spot repeats and seams), each
# also at double size (*_x2.png), and sheet.png (every tile enlarged on
# grey, with the cell outlined, to check the overhang). Tiles are drawn the way
# the editor draws its map: row by row from the top, each tile standing 16
# pixels above its cell, magenta and pink left out.

import os
import sys

from PIL import Image, ImageDraw

TILE_W, TILE_H, OVER = 32, 48, 16
MASK = (255, 0, 255)
PINK = (255, 128, 255)

# One letter per tile number; 16 rows, the last one only shows its overhang.
LEGEND = {
    ".": 1, ",": 2, "d": 3, "s": 4, "c": 5, "W": 6, "f": 7, "N": 8, "S": 9,
    "-": 10, "|": 11, "+": 12, "B": 13, "#": 14, "G": 15, "p": 16, "O": 17,
    "P": 18, "b": 19, "o": 20, "R": 21, "H": 22, "T": 23, "A": 24, "F": 25,
    " ": 0,
}
SCENE = [
    "POPPOP...|..,.RRRRRR",
    "PPObPO.,.|...oRRRRRR",
    "OPPOPb...|.,..oRRoRR",
    "PObPO..,.|.....o..RR",
    "bPOb.....|..dd....o.",
    ".b...,...|.ddsd..,..",
    "---------+----------",
    ".,.......|.....ccc..",
    "...b.....|.....ccc.,",
    "SSSSSSSSSSSSSSSSSSSS",
    "WWWWWWWWWBWWWWWffWWW",
    "WWWWWWWWWBWWWWWffWWW",
    "NNNNNNNNNNNNNNNNNNNN",
    ".pppppp##G##T##.A.A.",
    ".p.H.,...|.H.F..A.F.",
    ".p....H..|..........",
]


def load_tiles(path):
    img = Image.open(path).convert("RGB")
    px = img.load()
    w, h = img.size
    for y in range(h):
        for x in range(w):
            if px[x, y] == PINK:
                px[x, y] = MASK
    return img


def tile_image(sheet, number):
    """The tile and its transparency mask (white where it is drawn)."""
    box = (32, TILE_H * number, 32 + TILE_W, TILE_H * number + TILE_H)
    tile = sheet.crop(box)
    mask = Image.new("L", tile.size, 0)
    tp, mp = tile.load(), mask.load()
    for y in range(TILE_H):
        for x in range(TILE_W):
            if tp[x, y] != MASK:
                mp[x, y] = 255
    return tile, mask


def compose(sheet, rows):
    screen = Image.new("RGB", (640, 480), (0, 0, 0))
    cache = {}
    for r, line in enumerate(rows):
        for c, ch in enumerate(line):
            t = LEGEND[ch]
            if t == 0:
                continue
            if t not in cache:
                cache[t] = tile_image(sheet, t)
            tile, mask = cache[t]
            screen.paste(tile, (c * TILE_W, r * TILE_W - OVER), mask)
    return screen


def contact_sheet(sheet, zoom=4):
    count = sheet.size[1] // TILE_H - 1
    cols = 9
    cw, ch = TILE_W * zoom + 12, TILE_H * zoom + 12
    out = Image.new("RGB", (cols * cw, ((count + cols - 1) // cols) * ch), (96, 96, 104))
    draw = ImageDraw.Draw(out)
    for t in range(1, count + 1):
        tile, mask = tile_image(sheet, t)
        ox, oy = ((t - 1) % cols) * cw + 6, ((t - 1) // cols) * ch + 6
        out.paste(tile.resize((TILE_W * zoom, TILE_H * zoom), Image.NEAREST),
                  (ox, oy), mask.resize((TILE_W * zoom, TILE_H * zoom), Image.NEAREST))
        draw.rectangle((ox - 1, oy + OVER * zoom - 1, ox + TILE_W * zoom, oy + TILE_H * zoom),
                       outline=(255, 255, 0))
        draw.text((ox + 2, oy + 2), str(t), fill=(255, 255, 255))
    return out


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    src = sys.argv[1] if len(sys.argv) > 1 else \
        os.path.join(root, "system", "images", "tilesets", "001.png")
    out = sys.argv[2] if len(sys.argv) > 2 else "/tmp/tileset_preview"
    os.makedirs(out, exist_ok=True)
    sheet = load_tiles(src)
    grounds = ["..,,,,dddddsssssccccc"[:20]] * 5 + ["WWWWWfffffWWWWW-----"] * 5 + \
        ["|||||+++++...,,,,,,,"] * 3 + ["SSSSSSSSSSSSSSSSSSSS", "NNNNNNNNNNNNNNNNNNNN", "...................."]
    screens = {"scene": compose(sheet, SCENE), "grass": compose(sheet, ["." * 20] * 16),
               "grounds": compose(sheet, grounds)}
    for name, img in screens.items():
        img.save(os.path.join(out, name + ".png"))
        img.resize((1280, 960), Image.NEAREST).save(os.path.join(out, name + "_x2.png"))
    contact_sheet(sheet).save(os.path.join(out, "sheet.png"))
    print("wrote previews to", out)


if __name__ == "__main__":
    main()
