// button.cpp -- three-picture buttons: the mouse test, the click latch and the drawing
#include "widgets/button.h"

#include "core/fatal.h"
#include "core/paths.h"
#include "core/startup.h"

Button button_pool[BUTTON_SLOTS];

static BITMAP *load_button_image(const std::string &image_name, const char *suffix)
{
    std::string path = DATA_FOLDER BUTTON_FOLDER + image_name + suffix;
    BITMAP *image = load_bitmap(path.c_str(), NULL);
    if (!image)
        fatal_error(EXIT_MISSING_FILE, "Cannot find the button picture %s, or it may be corrupt.", path.c_str());
    return image;
}

int create_button(int slot, int x, int y, const std::string &image_name, int hit_margin)
{
    destroy_button(slot);
    Button &b = button_pool[slot];
    b.active = 1;
    b.x = x;
    b.y = y;
    b.clicked = b.pressed = b.hovered = 0;
    b.image_up = load_button_image(image_name, "_u.png");
    b.image_down = load_button_image(image_name, "_d.png");
    b.image_hover = load_button_image(image_name, "_h.png");
    b.height = b.image_up->h;
    b.width = b.image_up->w;
    b.margin_x = b.margin_y = hit_margin;
    return 0;
}

static void release_image(BITMAP *&image)
{
    if (image)
        destroy_bitmap(image);
    image = NULL;
}

int destroy_button(int slot)
{
    Button &b = button_pool[slot];
    b.active = 0;
    release_image(b.image_up);
    release_image(b.image_down);
    release_image(b.image_hover);
    return 0;
}

int destroy_buttons()
{
    for (int slot = 0; slot < BUTTON_SLOTS; slot++)
        destroy_button(slot);
    return 0;
}

bool button_clicked(int slot)
{
    Button &b = button_pool[slot];
    if (!b.active || !b.clicked)
        return false;
    b.clicked = 0;
    return true;
}

// Both edges count, so the area is one pixel wider and taller than the picture.
static bool mouse_on_button(const Button &b, int mx, int my)
{
    return b.x - b.margin_x <= mx && mx <= b.x + b.width + b.margin_x && b.y - b.margin_y <= my &&
           my <= b.y + b.height + b.margin_y;
}

// The lowest active slot under the mouse takes it; a click is the release over a
// button that the previous update saw pressed.
int update_buttons()
{
    int mx = mouse_x, my = mouse_y;
    bool left_down = mouse_b & 1;
    bool claimed = false;
    for (Button &b : button_pool) {
        if (!b.active)
            continue;
        if (claimed || !mouse_on_button(b, mx, my)) {
            b.pressed = b.hovered = 0;
        } else if (left_down) {
            b.pressed = 1;
            b.hovered = 0;
            claimed = true;
        } else {
            if (b.pressed)
                b.clicked = 1;
            b.pressed = 0;
            b.hovered = 1;
            claimed = true;
        }
    }
    return 0;
}

int draw_buttons()
{
    for (const Button &b : button_pool) {
        if (!b.active)
            continue;
        BITMAP *picture = b.hovered ? b.image_hover : b.pressed ? b.image_down : b.image_up;
        draw_sprite(back_buffer, picture, b.x, b.y);
    }
    return 0;
}
