// map_properties.cpp -- the modal dialog over a frozen picture for the map's texts and size
#include "editor/map_properties.h"

#include <cstdio>
#include <string>

#include "core/frame.h"
#include "core/present.h"
#include "core/startup.h"
#include "editor/map.h"
#include "text/label.h"
#include "text/text_table.h"
#include "widgets/button.h"
#include "widgets/panel.h"
#include "widgets/text_field.h"

MapPropertiesDialog properties_dialog = {NULL};

const int MIN_MAP_WIDTH = 20;
const int MIN_MAP_HEIGHT = 15;

const int OKAY_BUTTON = 2;
const int WIDTH_UP = 8;
const int WIDTH_DOWN = 9;
const int HEIGHT_UP = 10;
const int HEIGHT_DOWN = 11;
const int WIDTH_LABEL = 9;
const int HEIGHT_LABEL = 11;

const int DIALOG_FONT = 2;

enum DialogWidget { LABEL, FIELD, BUTTON };

// One row per widget, in the order they are created. A label shows its text key's caption,
// or the map's width or height when number is set; a field is bound to the map's string.
struct DialogRow {
    DialogWidget widget;
    int slot;
    int x, y;
    int align;                // labels
    int width, height;        // fields
    std::string Map::*bound;  // fields
    const char *key;          // labels: text key; buttons: image name
    int Map::*number;         // labels showing a size
};

const DialogRow DIALOG_ROWS[] = {
    {LABEL, 15, 152, 88, 0, 0, 0, nullptr, "prop", nullptr},
    {LABEL, 5, 144, 128, 0, 0, 0, nullptr, "name", nullptr},
    {FIELD, 5, 272, 128, 0, 222, 16, &Map::name, nullptr, nullptr},
    {LABEL, 6, 144, 148, 0, 0, 0, nullptr, "author", nullptr},
    {FIELD, 6, 272, 148, 0, 222, 16, &Map::author, nullptr, nullptr},
    {LABEL, 7, 144, 168, 0, 0, 0, nullptr, "desc", nullptr},
    {FIELD, 7, 272, 168, 0, 222, 96, &Map::description, nullptr, nullptr},
    {LABEL, 8, 144, 268, 0, 0, 0, nullptr, "wide", nullptr},
    {LABEL, WIDTH_LABEL, 164, 290, 0, 0, 0, nullptr, nullptr, &Map::width},
    {BUTTON, WIDTH_UP, 144, 288, 0, 0, 0, nullptr, "up", nullptr},
    {BUTTON, WIDTH_DOWN, 144, 296, 0, 0, 0, nullptr, "down", nullptr},
    {LABEL, 10, 320, 268, 0, 0, 0, nullptr, "high", nullptr},
    {LABEL, HEIGHT_LABEL, 340, 290, 0, 0, 0, nullptr, nullptr, &Map::height},
    {BUTTON, HEIGHT_UP, 320, 288, 0, 0, 0, nullptr, "up", nullptr},
    {BUTTON, HEIGHT_DOWN, 320, 296, 0, 0, 0, nullptr, "down", nullptr},
    {BUTTON, OKAY_BUTTON, 384, 344, 0, 0, 0, nullptr, "sml_01", nullptr},
    {LABEL, 2, 440, 349, 1, 0, 0, nullptr, "okay", nullptr},
};

static std::string number_text(int value)
{
    char text[16];
    snprintf(text, sizeof text, "%-ld", (long)value);
    return text;
}

int run_map_properties()
{
    map_properties_loop(properties_dialog);
    return 0;
}

int map_properties_loop(MapPropertiesDialog &dialog)
{
    build_map_properties(dialog);
    while (!button_clicked(OKAY_BUTTON)) {
        draw_properties_backdrop(dialog);
        refresh_frame();
        handle_size_clicks();
    }
    close_map_properties(dialog);
    return 0;
}

static void create_dialog_widget(const DialogRow &row)
{
    switch (row.widget) {
    case LABEL: {
        std::string text = row.number ? number_text(current_map.*row.number) : get_text(screen_text, row.key);
        create_label(row.slot, row.x, row.y, text, DIALOG_FONT, -1, row.align, 0);
        break;
    }
    case FIELD:
        create_text_field(text_field_pool, row.slot, DIALOG_FONT, current_map.*row.bound, row.x, row.y, row.width,
                          row.height);
        break;
    case BUTTON:
        create_button(row.slot, row.x, row.y, row.key, 0);
        break;
    }
}

// The backdrop is the editor menu's last frame, darkened map and menu buttons included.
int build_map_properties(MapPropertiesDialog &dialog)
{
    dialog.backdrop = create_bitmap(SCREEN_WIDTH, SCREEN_HEIGHT);
    if (dialog.backdrop)
        copy_back_buffer_to(dialog.backdrop);
    create_panel(panel_pool, 0, "default", 128, 96, 384, 288);
    create_panel(panel_pool, 1, "default", 144, 80, 192, 32);
    for (const DialogRow &row : DIALOG_ROWS)
        create_dialog_widget(row);
    return 0;
}

// Without memory for the frozen picture the dialog still works, over black.
int draw_properties_backdrop(MapPropertiesDialog &dialog)
{
    if (dialog.backdrop)
        blit(dialog.backdrop, back_buffer, 0, 0, 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
    else
        clear_bitmap(back_buffer);
    return 0;
}

// One cell per click, clamped; the numbers show the new size from the next frame on.
int handle_size_clicks()
{
    if (button_clicked(WIDTH_UP) && current_map.width < MAP_MAX_CELLS)
        current_map.width++;
    if (button_clicked(WIDTH_DOWN) && current_map.width > MIN_MAP_WIDTH)
        current_map.width--;
    if (button_clicked(HEIGHT_UP) && current_map.height < MAP_MAX_CELLS)
        current_map.height++;
    if (button_clicked(HEIGHT_DOWN) && current_map.height > MIN_MAP_HEIGHT)
        current_map.height--;
    set_label_text(WIDTH_LABEL, number_text(current_map.width));
    set_label_text(HEIGHT_LABEL, number_text(current_map.height));
    return 0;
}

int close_map_properties(MapPropertiesDialog &dialog)
{
    if (dialog.backdrop)
        destroy_bitmap(dialog.backdrop);
    dialog.backdrop = NULL;
    reset_screen_widgets();
    return 0;
}
