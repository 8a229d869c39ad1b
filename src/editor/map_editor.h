// map_editor.h -- the editing screen and its menu
#ifndef QB_MAP_EDITOR_H
#define QB_MAP_EDITOR_H

struct MapEditor {
    bool quit;
    int selected_tile;
    int layer;
    int scroll_x;
    int scroll_y;
    int offset_x;
    int offset_y;
    int scroll_divisor;
    int cursor_x;
    int cursor_y;
    int cursor_px;
    int cursor_py;
};

const int HIGHEST_TILE = 25;  // the last tile the minus and plus keys reach

extern MapEditor editor_state;  // carries the selected tile and scroll offsets between visits
extern int scroll_delay_x;      // frames until the next horizontal scroll may start
extern int scroll_delay_y;      // frames until the next vertical scroll may start

int run_map_editor();
int map_editor_loop(MapEditor &editor);
int run_map_editor_menu(MapEditor &editor);
int build_map_editor_menu();
int update_map_cursor(MapEditor &editor);
int advance_scroll(MapEditor &editor);
int request_scroll(MapEditor &editor, int direction);

int enter_map_editor(MapEditor &editor);  // a fresh map, the editor's texts and its tileset

// One editing frame, split so that each half runs without a display.
int draw_editing_frame(MapEditor &editor);    // map, cursor square and tile preview into back_buffer
int handle_editing_input(MapEditor &editor);  // what the frame's mouse and keys ask for, after refresh_frame
int keep_view_in_map(MapEditor &editor);
int request_scrolls(MapEditor &editor);
int paint_or_pick(MapEditor &editor);
int choose_tile(MapEditor &editor);
int draw_menu_frame(MapEditor &editor);

#endif
