// map_fixture.h -- a synthetic tileset for the map tests: every tile tells its overhang from its body by colour
#ifndef QB_MAP_FIXTURE_H
#define QB_MAP_FIXTURE_H

#include <allegro.h>

const int HOLED_TILE = 3;  // its left 16 pixel columns are mask colour, top to bottom

inline int tile_top_colour(int tile)
{
    return makecol(200, 8 * tile, 0);
}

inline int tile_body_colour(int tile)
{
    return makecol(0, 8 * tile, 200);
}

// Tiles 0 to 25 in the column x 32-63; the column left of it is green, which must never show.
inline BITMAP *make_test_tileset(int depth = 32)
{
    BITMAP *tileset = create_bitmap_ex(depth, 64, 48 * 26);
    int saved_depth = get_color_depth();
    set_color_depth(depth);
    clear_to_color(tileset, makecol(0, 255, 0));
    for (int t = 0; t <= 25; t++) {
        rectfill(tileset, 32, 48 * t, 63, 48 * t + 15, tile_top_colour(t));
        rectfill(tileset, 32, 48 * t + 16, 63, 48 * t + 47, tile_body_colour(t));
    }
    rectfill(tileset, 32, 48 * HOLED_TILE, 47, 48 * HOLED_TILE + 47, makecol(255, 0, 255));
    set_color_depth(saved_depth);
    return tileset;
}

// What one translucent pixel of colour gives over under, with the blender in force.
inline int blend_once(int under, int colour)
{
    BITMAP *pixel = create_bitmap(1, 1);
    putpixel(pixel, 0, 0, under);
    drawing_mode(DRAW_MODE_TRANS, NULL, 0, 0);
    putpixel(pixel, 0, 0, colour);
    solid_mode();
    int result = getpixel(pixel, 0, 0);
    destroy_bitmap(pixel);
    return result;
}

#endif
