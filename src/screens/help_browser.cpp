// help_browser.cpp -- the help guide: one page at a time over the caller's darkened screen, topics on buttons
#include "screens/help_browser.h"

#include "core/frame.h"
#include "core/paths.h"
#include "core/present.h"
#include "core/settings.h"
#include "core/startup.h"
#include "text/label.h"
#include "text/text_table.h"
#include "widgets/button.h"

namespace {

const int PAGE_SLOT = 0;
const int PAGE_X = 160;
const int PAGE_Y = 64;
const int PAGE_WIDTH = 416;
const int PAGE_VIEW_HEIGHT = 384;
const int PAGE_MARGIN = 10;

const int EXIT_BUTTON = 0;
const int TITLE_LABEL = 1;
const int CAPTION_X = 88;  // centre of a 112-pixel "sml_01" button at x 32

// The browser's buttons in creation order; each caption is the label of the button's slot.
struct BrowserButton {
    int slot;
    int x;
    int y;
    int caption_y;
    const char *caption_key;
    const char *topic;  // the page the button opens, or NULL for the exit button
};

const BrowserButton browser_buttons[] = {
    {EXIT_BUTTON, 32, 424, 430, "exit", NULL},
    {2, 32, 64, 70, "home", "index"},
    {3, 32, 96, 102, "tile", "vave_rodiz"},
    {4, 32, 128, 134, "about", "about"},
};

// Three passes at the standing trans level leave about an eighth of the brightness.
void darken_backdrop(BITMAP *backdrop)
{
    drawing_mode(DRAW_MODE_TRANS, NULL, 0, 0);
    for (int pass = 0; pass < 3; pass++)
        rectfill(backdrop, 16, 16, 624, 464, makecol(0, 0, 0));
    solid_mode();
}

void create_browser_widgets()
{
    create_label(TITLE_LABEL, 32, 32, " ", 2, -1, 0, 0);
    for (const BrowserButton &button : browser_buttons) {
        create_button(button.slot, button.x, button.y, "sml_01", 0);
        create_label(button.slot, CAPTION_X, button.caption_y, get_text(screen_text, button.caption_key), 2, -1, 1, 0);
    }
}

void draw_browser(const HelpView &view, BITMAP *backdrop)
{
    blit(backdrop, back_buffer, 0, 0, 0, 0, SCREEN_W, SCREEN_H);
    masked_blit(view.page[PAGE_SLOT], back_buffer, 0, 0, view.screen_x[PAGE_SLOT], view.screen_y[PAGE_SLOT],
                view.width[PAGE_SLOT], view.view_height[PAGE_SLOT]);
}

void open_clicked_topic(HelpView &view)
{
    for (const BrowserButton &button : browser_buttons)
        if (button.topic && button_clicked(button.slot))
            render_help_page(view, PAGE_SLOT, button.topic);
}

}  // namespace

int open_help(const std::string &topic)
{
    run_help_browser(help_view, topic);
    return 0;
}

int run_help_browser(HelpView &view, const std::string &topic)
{
    BITMAP *backdrop = create_bitmap(SCREEN_W, SCREEN_H);
    load_text_table(screen_text, "html");
    view.base_path = std::string(DATA_FOLDER) + TEXT_FOLDER + language + "/" + MANUAL_FOLDER;
    init_help_page(view, PAGE_SLOT, PAGE_X, PAGE_Y, PAGE_WIDTH, PAGE_VIEW_HEIGHT, PAGE_MARGIN);
    render_help_page(view, PAGE_SLOT, topic);
    copy_back_buffer_to(backdrop);
    darken_backdrop(backdrop);
    create_browser_widgets();

    while (!key_released(KEY_ESC) && !button_clicked(EXIT_BUTTON)) {
        set_label_text(TITLE_LABEL, "Quillbrook Help - " + view.title[PAGE_SLOT]);
        draw_browser(view, backdrop);
        refresh_frame();
        open_clicked_topic(view);
    }

    reset_screen_widgets();
    destroy_bitmap(view.page[PAGE_SLOT]);
    view.page[PAGE_SLOT] = NULL;
    destroy_bitmap(backdrop);
    return 0;
}
