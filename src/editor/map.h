// map.h -- the map record, its tileset and the drawing of a window of it
#ifndef QB_MAP_H
#define QB_MAP_H

#include <allegro.h>
#include <string>

const int MAP_LAYERS = 4;
const int MAP_MAX_CELLS = 120;  // cells per side the map always has room for
const int TILE_SIZE = 32;       // a cell on screen
const int TILE_IMAGE_HEIGHT = 48;  // a tile rises 16 pixels over the cell above
const int TILESET_COLUMN_X = 32;   // tiles stand one above the other from this pixel column
const int VIEW_COLUMNS = 20;
const int VIEW_ROWS = 15;

struct Map {
    std::string name;
    std::string author;
    std::string description;
    int width;
    int height;
    int cells[MAP_LAYERS][MAP_MAX_CELLS][MAP_MAX_CELLS];  // [layer][column][row]
    BITMAP *tileset;
    bool show_grid;
};

extern Map current_map;  // the one map the editor works on

int reset_map(Map &map);
int clear_map_info(Map &map);
int clear_map_cells(Map &map);
int load_tileset(Map &map, const std::string &name);
int draw_map(Map &map, int scroll_x, int scroll_y, int offset_x, int offset_y);
int draw_grid(Map &map, int offset_x, int offset_y);
int toggle_grid(Map &map);

#endif
