// map.cpp -- the map record: reset, tileset loading and drawing a window of its four layers
#include "editor/map.h"

#include "core/fatal.h"
#include "core/paths.h"
#include "core/startup.h"
#include "text/colour.h"

Map current_map;

// The window covers one extra cell on each side, for the strip a smooth scroll uncovers.
const int DRAWN_ROWS = VIEW_ROWS + 2;
const int DRAWN_COLUMNS = VIEW_COLUMNS + 2;
const int TILE_OVERHANG = TILE_IMAGE_HEIGHT - TILE_SIZE;

int reset_map(Map &map)
{
    clear_map_info(map);
    clear_map_cells(map);
    return 0;
}

int clear_map_info(Map &map)
{
    map.name.clear();
    map.author.clear();
    map.description.clear();
    map.width = VIEW_COLUMNS;
    map.height = VIEW_ROWS;
    return 0;
}

int clear_map_cells(Map &map)
{
    for (int layer = 0; layer < MAP_LAYERS; layer++)
        for (int c = 0; c < MAP_MAX_CELLS; c++)
            for (int r = 0; r < MAP_MAX_CELLS; r++)
                map.cells[layer][c][r] = layer == 0 ? 1 : 0;
    if (map.tileset)
        destroy_bitmap(map.tileset);
    map.tileset = NULL;
    return 0;
}

// The PNG wins over the BMP; a missing tileset ends the program, as does one that cannot be decoded.
int load_tileset(Map &map, const std::string &name)
{
    std::string path = DATA_FOLDER TILESET_FOLDER + name + ".png";
    if (!exists(path.c_str()))
        path = DATA_FOLDER TILESET_FOLDER + name + ".bmp";
    if (!exists(path.c_str()))
        fatal_error(0,
                    "Cannot find the map tiles requested.\n%s does not appear to exist.\n\n"
                    "Currently, the engine is not able to handle this error.",
                    path.c_str());
    // Tiles are masked-blitted into back_buffer, which needs both in one depth; after a display
    // fallback to 16 bits the library's depth no longer is back_buffer's.
    int saved_depth = get_color_depth();
    set_color_depth(back_buffer ? bitmap_color_depth(back_buffer) : saved_depth);
    map.tileset = load_bitmap(path.c_str(), NULL);
    if (map.tileset)
        replace_colour(map.tileset, makecol(255, 128, 255), makecol(255, 0, 255));
    set_color_depth(saved_depth);
    if (!map.tileset)
        fatal_error(EXIT_MISSING_FILE, "Cannot read the map tiles in %s.\nThe file is damaged or not an image.",
                    path.c_str());
    return 0;
}

// Cells outside the stored array draw as empty.
static int cell_at(const Map &map, int layer, int column, int row)
{
    if (column < 0 || column >= MAP_MAX_CELLS || row < 0 || row >= MAP_MAX_CELLS)
        return 0;
    return map.cells[layer][column][row];
}

int draw_map(Map &map, int scroll_x, int scroll_y, int offset_x, int offset_y)
{
    for (int layer = 0; layer < MAP_LAYERS; layer++) {
        for (int r = scroll_y - 1; r < scroll_y - 1 + DRAWN_ROWS; r++) {
            int y = offset_y + TILE_SIZE * (r - scroll_y);
            for (int c = scroll_x - 1; c < scroll_x - 1 + DRAWN_COLUMNS; c++) {
                int tile = cell_at(map, layer, c, r);
                if (tile != 0)
                    masked_blit(map.tileset, back_buffer, TILESET_COLUMN_X, TILE_IMAGE_HEIGHT * tile,
                                offset_x + TILE_SIZE * (c - scroll_x), y - TILE_OVERHANG, TILE_SIZE,
                                TILE_IMAGE_HEIGHT);
            }
        }
    }
    if (map.show_grid)
        draw_grid(map, offset_x, offset_y);
    return 0;
}

// Each cell gets its top edge and the rest of its left edge, so every grid pixel is darkened once.
int draw_grid(Map &, int offset_x, int offset_y)
{
    int black = makecol(0, 0, 0);
    drawing_mode(DRAW_MODE_TRANS, NULL, 0, 0);
    for (int j = -1; j < DRAWN_ROWS - 1; j++) {
        for (int i = -1; i < DRAWN_COLUMNS - 1; i++) {
            int x = offset_x + TILE_SIZE * i;
            int y = offset_y + TILE_SIZE * j;
            line(back_buffer, x, y, x + TILE_SIZE - 1, y, black);
            line(back_buffer, x, y + 1, x, y + TILE_SIZE - 1, black);
        }
    }
    solid_mode();
    return 0;
}

int toggle_grid(Map &map)
{
    map.show_grid = !map.show_grid;
    return 0;
}
