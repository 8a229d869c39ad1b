// map_editor.cpp -- the editing screen: painting, picking, smooth scrolling, and the editor menu
#include "editor/map_editor.h"

#include <allegro.h>

#include "core/frame.h"
#include "core/startup.h"
#include "editor/map.h"
#include "editor/map_properties.h"
#include "screens/help_browser.h"
#include "text/label.h"
#include "text/text_table.h"
#include "widgets/button.h"

MapEditor editor_state;
int scroll_delay_x = 0;
int scroll_delay_y = 0;

const int SCROLL_DIVISOR = 4;
const int EDGE_ZONE = 32;  // pointer this close to a screen edge scrolls the view
const int PREVIEW_DX = 8;  // the tile preview sits right of and above the pointer
const int PREVIEW_DY = -8;

// The darkened box behind the menu, corners inclusive.
const int MENU_SHADE_LEFT = 164;
const int MENU_SHADE_TOP = 48;
const int MENU_SHADE_RIGHT = 475;
const int MENU_SHADE_BOTTOM = 431;

const int MENU_CONTINUE = 0;
const int MENU_PROPERTIES = 1;
const int MENU_HELP = 6;
const int MENU_QUIT = 7;

struct MenuRow {
    int slot;
    int y;
    const char *key;
};

// Created in this order, each button right before its caption.
const MenuRow MENU_ROWS[] = {
    {1, 60, "prop_ed"}, {2, 100, "save"}, {3, 140, "restore"}, {4, 180, "faction_ed"},
    {5, 220, "prep_ed"}, {6, 260, "help"}, {7, 300, "quit"},   {0, 380, "continue"},
};
const int MENU_BUTTON_X = 192;
const int MENU_CAPTION_X = 320;
const int MENU_CAPTION_DY = 5;

int run_map_editor()
{
    map_editor_loop(editor_state);
    return 0;
}

// The selected tile, the layer and any scroll under way carry over from the last visit.
int enter_map_editor(MapEditor &editor)
{
    editor.quit = false;
    editor.scroll_x = 0;
    editor.scroll_y = 0;
    reset_map(current_map);
    editor.scroll_divisor = SCROLL_DIVISOR;
    load_text_table(screen_text, "map_editor");
    load_tileset(current_map, "001");
    return 0;
}

int map_editor_loop(MapEditor &editor)
{
    enter_map_editor(editor);
    while (!editor.quit) {
        draw_editing_frame(editor);
        refresh_frame();
        handle_editing_input(editor);
    }
    return 0;
}

int draw_editing_frame(MapEditor &editor)
{
    clear_bitmap(back_buffer);
    draw_map(current_map, editor.scroll_x, editor.scroll_y, editor.offset_x, editor.offset_y);
    update_map_cursor(editor);
    drawing_mode(DRAW_MODE_TRANS, NULL, 0, 0);
    rectfill(back_buffer, editor.cursor_px, editor.cursor_py, editor.cursor_px + TILE_SIZE - 1,
             editor.cursor_py + TILE_SIZE - 1, makecol(255, 255, 255));
    solid_mode();
    if (editor.selected_tile != 0)
        masked_blit(current_map.tileset, back_buffer, TILESET_COLUMN_X, TILE_IMAGE_HEIGHT * editor.selected_tile,
                    mouse_x + PREVIEW_DX, mouse_y + PREVIEW_DY, TILE_SIZE, TILE_IMAGE_HEIGHT);
    return 0;
}

int handle_editing_input(MapEditor &editor)
{
    keep_view_in_map(editor);
    advance_scroll(editor);
    request_scrolls(editor);
    paint_or_pick(editor);
    choose_tile(editor);
    if (key_released(KEY_G))
        toggle_grid(current_map);
    if (key_released(KEY_F1)) {
        open_help("index");
        load_text_table(screen_text, "map_editor");
    }
    if (key_released(KEY_ESC))
        run_map_editor_menu(editor);
    return 0;
}

// Only an upper bound: the dialog never lets the map be smaller than the view.
int keep_view_in_map(MapEditor &editor)
{
    if (editor.scroll_x > current_map.width - VIEW_COLUMNS)
        editor.scroll_x = current_map.width - VIEW_COLUMNS;
    if (editor.scroll_y > current_map.height - VIEW_ROWS)
        editor.scroll_y = current_map.height - VIEW_ROWS;
    return 0;
}

// Arrow keys are read as held keys, not through the release latch.
int request_scrolls(MapEditor &editor)
{
    if ((mouse_x > SCREEN_WIDTH - EDGE_ZONE || key[KEY_RIGHT]) && editor.scroll_x < current_map.width - VIEW_COLUMNS)
        request_scroll(editor, 6);
    if ((mouse_x < EDGE_ZONE || key[KEY_LEFT]) && editor.scroll_x > 0)
        request_scroll(editor, 4);
    if ((mouse_y > SCREEN_HEIGHT - EDGE_ZONE || key[KEY_DOWN]) && editor.scroll_y < current_map.height - VIEW_ROWS)
        request_scroll(editor, 2);
    if ((mouse_y < EDGE_ZONE || key[KEY_UP]) && editor.scroll_y > 0)
        request_scroll(editor, 8);
    return 0;
}

// Both act every frame the button is held; a cell outside the stored array is left alone.
int paint_or_pick(MapEditor &editor)
{
    int column = editor.cursor_x + editor.scroll_x;
    int row = editor.cursor_y + editor.scroll_y;
    if (column < 0 || column >= MAP_MAX_CELLS || row < 0 || row >= MAP_MAX_CELLS)
        return 0;
    if (editor.layer < 0 || editor.layer >= MAP_LAYERS)
        return 0;
    int &cell = current_map.cells[editor.layer][column][row];
    if (mouse_b & 1)
        cell = editor.selected_tile;
    if (mouse_b & 2)
        editor.selected_tile = cell;
    return 0;
}

// The keypad key is asked first; when it acted, the main key's release waits for the next frame.
int choose_tile(MapEditor &editor)
{
    if ((key_released(KEY_MINUS_PAD) && editor.selected_tile > 0) ||
        (key_released(KEY_MINUS) && editor.selected_tile > 0))
        editor.selected_tile--;
    if ((key_released(KEY_PLUS_PAD) && editor.selected_tile < HIGHEST_TILE) ||
        (key_released(KEY_EQUALS) && editor.selected_tile < HIGHEST_TILE))
        editor.selected_tile++;
    return 0;
}

int update_map_cursor(MapEditor &editor)
{
    editor.cursor_x = mouse_x / TILE_SIZE;
    editor.cursor_y = mouse_y / TILE_SIZE;
    editor.cursor_px = editor.cursor_x * TILE_SIZE;
    editor.cursor_py = editor.cursor_y * TILE_SIZE;
    return 0;
}

// A positive offset slides the picture right or down and ends one cell back;
// a negative one slides it left or up and ends one cell on.
int advance_scroll(MapEditor &editor)
{
    int step = TILE_SIZE / editor.scroll_divisor;
    if (editor.offset_x > 0)
        editor.offset_x += step;
    if (editor.offset_x < 0)
        editor.offset_x -= step;
    if (editor.offset_y > 0)
        editor.offset_y += step;
    if (editor.offset_y < 0)
        editor.offset_y -= step;
    if (editor.offset_x >= TILE_SIZE) {
        editor.scroll_x--;
        editor.offset_x = 0;
    } else if (editor.offset_x <= -TILE_SIZE) {
        editor.scroll_x++;
        editor.offset_x = 0;
    }
    if (editor.offset_y >= TILE_SIZE) {
        editor.scroll_y--;
        editor.offset_y = 0;
    } else if (editor.offset_y <= -TILE_SIZE) {
        editor.scroll_y++;
        editor.offset_y = 0;
    }
    return 0;
}

// Every request counts its axis's delay down; a scroll starts only from rest with the delay used up.
int request_scroll(MapEditor &editor, int direction)
{
    int step = TILE_SIZE / editor.scroll_divisor;
    bool horizontal = direction == 6 || direction == 4;
    bool vertical = direction == 8 || direction == 2;
    if (horizontal && scroll_delay_x > 0)
        scroll_delay_x--;
    if (vertical && scroll_delay_y > 0)
        scroll_delay_y--;
    if (horizontal && editor.offset_x == 0 && scroll_delay_x == 0) {
        editor.offset_x = direction == 6 ? -step : step;
        scroll_delay_x = TILE_SIZE / step;
    }
    if (vertical && editor.offset_y == 0 && scroll_delay_y == 0) {
        editor.offset_y = direction == 2 ? -step : step;
        scroll_delay_y = TILE_SIZE / step;
    }
    return 0;
}

int run_map_editor_menu(MapEditor &editor)
{
    clear_key_latches();
    build_map_editor_menu();
    while (!button_clicked(MENU_CONTINUE)) {
        draw_menu_frame(editor);
        refresh_frame();
        if (button_clicked(MENU_PROPERTIES)) {
            reset_screen_widgets();
            run_map_properties();
            build_map_editor_menu();
        }
        if (button_clicked(MENU_HELP)) {
            reset_screen_widgets();
            open_help("index");
            load_text_table(screen_text, "map_editor");
            build_map_editor_menu();
        }
        if (button_clicked(MENU_QUIT)) {
            editor.quit = true;
            break;
        }
        if (key_released(KEY_ESC))
            break;
    }
    clear_key_latches();
    destroy_buttons();
    clear_labels();
    return 0;
}

// The map as it stood, a scroll under way frozen, darkened behind the buttons.
int draw_menu_frame(MapEditor &editor)
{
    clear_bitmap(back_buffer);
    draw_map(current_map, editor.scroll_x, editor.scroll_y, editor.offset_x, editor.offset_y);
    drawing_mode(DRAW_MODE_TRANS, NULL, 0, 0);
    rectfill(back_buffer, MENU_SHADE_LEFT, MENU_SHADE_TOP, MENU_SHADE_RIGHT, MENU_SHADE_BOTTOM, makecol(0, 0, 0));
    solid_mode();
    return 0;
}

int build_map_editor_menu()
{
    for (const MenuRow &row : MENU_ROWS) {
        create_button(row.slot, MENU_BUTTON_X, row.y, "big_01", 0);
        create_label(row.slot, MENU_CAPTION_X, row.y + MENU_CAPTION_DY, get_text(screen_text, row.key), 2, -1, 1, 0);
    }
    return 0;
}
