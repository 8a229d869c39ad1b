// title.cpp -- the title menu: background, welcome panel, version line and the column of seven buttons
#include "screens/title.h"

#include <string>

#include "core/fatal.h"
#include "core/frame.h"
#include "core/paths.h"
#include "core/startup.h"
#include "editor/map_editor.h"
#include "screens/help_browser.h"
#include "text/font.h"
#include "text/label.h"
#include "text/text_table.h"
#include "widgets/button.h"
#include "widgets/panel.h"

BITMAP *title_background = NULL;

namespace {

const char TITLE_TEXT_NAME[] = "title";
const char TITLE_BACKGROUND_PATH[] = DATA_FOLDER BACKGROUND_FOLDER "title_01.jpg";

// The welcome panel keeps its bottom edge at y 447 and grows upwards with the text.
const int WELCOME_FONT = 3;
const int WELCOME_WRAP = 272;
const int WELCOME_PANEL_SLOT = 0;
const int WELCOME_PANEL_X = 32;
const int WELCOME_PANEL_WIDTH = 288;
const int WELCOME_PANEL_BOTTOM = 432;  // top of the panel plus the text height
const int WELCOME_PADDING = 8;
const int WELCOME_LABEL_SLOT = 15;

const int VERSION_LABEL_SLOT = 16;
const int VERSION_X = 32;
const int VERSION_Y = 460;
const int VERSION_FONT = 1;

const int BUTTON_X = 352;
const int CAPTION_X = 480;  // centre of the 256-pixel buttons
const int CAPTION_DROP = 5;
const int CAPTION_FONT = 2;
const char BUTTON_IMAGE[] = "big_01";

const int QUIT_SLOT = 0;
const int EDITOR_SLOT = 4;
const int HELP_SLOT = 6;

struct TitleButton {
    int slot;         // button and caption label share it
    int y;
    const char *key;  // caption in the "title" text table
};

// Top to bottom; quit sits in slot 0 at the foot of the column.
const TitleButton TITLE_BUTTONS[] = {
    {1, 232, "campaign"},
    {2, 264, "multi"},
    {3, 296, "tutorial"},
    {4, 328, "editor"},
    {5, 360, "options"},
    {6, 392, "help"},
    {0, 424, "quit"},
};

}  // namespace

int build_title_menu()
{
    load_text_table(screen_text, TITLE_TEXT_NAME);
    std::string welcome = get_text(screen_text, "welcome");
    int height = text_height(WELCOME_FONT, welcome, WELCOME_WRAP, -1);

    create_panel(panel_pool, WELCOME_PANEL_SLOT, "window", WELCOME_PANEL_X, WELCOME_PANEL_BOTTOM - height,
                 WELCOME_PANEL_WIDTH, height + 2 * WELCOME_PADDING);
    for (const TitleButton &button : TITLE_BUTTONS) {
        create_button(button.slot, BUTTON_X, button.y, BUTTON_IMAGE, 0);
        create_label(button.slot, CAPTION_X, button.y + CAPTION_DROP, get_text(screen_text, button.key),
                     CAPTION_FONT, -1, 1, 0);
    }
    create_label(WELCOME_LABEL_SLOT, WELCOME_PANEL_X + WELCOME_PADDING,
                 WELCOME_PANEL_BOTTOM + WELCOME_PADDING - height, welcome, WELCOME_FONT, WELCOME_WRAP, 0, 0);
    create_label(VERSION_LABEL_SLOT, VERSION_X, VERSION_Y, get_text(screen_text, "ver") + " " + VERSION_STRING,
                 VERSION_FONT, -1, 0, 0);
    return 0;
}

// Loaded once for the whole run; a missing picture must never reach blit.
static void load_title_background()
{
    if (title_background)
        return;
    title_background = load_bitmap(TITLE_BACKGROUND_PATH, NULL);
    if (!title_background)
        fatal_error(EXIT_MISSING_FILE, "Cannot find the %s file, or it may be corrupt.", TITLE_BACKGROUND_PATH);
}

int run_title_menu()
{
    build_title_menu();
    load_title_background();
    for (;;) {
        if (button_clicked(QUIT_SLOT) || key_released(KEY_ESC))
            break;
        blit(title_background, back_buffer, 0, 0, 0, 0, title_background->w, title_background->h);
        refresh_frame();
        if (button_clicked(EDITOR_SLOT)) {
            reset_screen_widgets();
            run_map_editor();
            build_title_menu();
        }
        if (button_clicked(HELP_SLOT)) {
            reset_screen_widgets();
            open_help("index");
            build_title_menu();
        }
    }
    reset_screen_widgets();
    return 0;
}
