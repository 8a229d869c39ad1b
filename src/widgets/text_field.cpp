// text_field.cpp -- boxes that take typed text while it fits, word-wrapped in one font
#include "widgets/text_field.h"

#include <allegro.h>

#include "core/startup.h"
#include "text/font.h"

TextFieldPool text_field_pool = {{0}, -1, {0}, {0}, {0}, {0}, {0}, {}, {}};

// The field starts from the caller's string, which then receives every change typed.
int create_text_field(TextFieldPool &pool, unsigned slot, int font, std::string &bound, int x, int y, int width,
                      int height)
{
    if (slot >= (unsigned)TEXT_FIELD_SLOTS)
        return -1;
    pool.active[slot] = 1;
    pool.font[slot] = font;
    pool.x[slot] = x;
    pool.y[slot] = y;
    pool.width[slot] = width;
    pool.height[slot] = height;
    pool.bound[slot] = &bound;
    pool.text[slot] = bound;
    return 0;
}

int clear_text_field(TextFieldPool &pool, int slot)
{
    pool.active[slot] = 0;
    pool.bound[slot] = NULL;
    return 0;
}

int clear_text_fields(TextFieldPool &pool)
{
    pool.focused = -1;
    for (int slot = 0; slot < TEXT_FIELD_SLOTS; slot++)
        clear_text_field(pool, slot);
    return 0;
}

// The button is read as a state, so dragging over another field moves the focus;
// where fields overlap the highest slot wins.
int focus_text_field_under_mouse(TextFieldPool &pool)
{
    for (int slot = 0; slot < TEXT_FIELD_SLOTS; slot++) {
        bool inside = pool.x[slot] <= mouse_x && mouse_x <= pool.x[slot] + pool.width[slot] &&
                      pool.y[slot] <= mouse_y && mouse_y <= pool.y[slot] + pool.height[slot];
        if (inside && pool.active[slot] && (mouse_b & 1))
            pool.focused = slot;
    }
    return 0;
}

// Handles one key from Allegro's buffer: low byte the character, bits 8-15 the scancode.
int type_into_text_field(TextFieldPool &pool, int key)
{
    int slot = pool.focused;
    if (slot < 0 || !pool.active[slot])
        return 0;
    std::string &text = pool.text[slot];
    signed char character = (signed char)(key & 0xff);
    int scancode = (key >> 8) & 0xff;
    if (character > 31 && character != 127) {
        std::string candidate = text + (char)character;
        if (text_height(pool.font[slot], candidate, pool.width[slot], -1) <= pool.height[slot])
            text = candidate;
    }
    if (scancode == KEY_BACKSPACE && !text.empty())
        text.erase(text.size() - 1);
    if (scancode == KEY_ESC || scancode == KEY_ENTER)
        pool.focused = -1;
    if (pool.bound[slot])
        *pool.bound[slot] = text;
    return 0;
}

// One buffered key is taken every frame, also when no field could use it.
int update_text_fields(TextFieldPool &pool)
{
    focus_text_field_under_mouse(pool);
    if (keypressed())
        type_into_text_field(pool, readkey());
    return 0;
}

int draw_text_fields(TextFieldPool &pool)
{
    for (int slot = 0; slot < TEXT_FIELD_SLOTS; slot++) {
        if (!pool.active[slot])
            continue;
        bool focused = slot == pool.focused;
        std::string shown = focused ? pool.text[slot] + "|" : pool.text[slot];
        draw_text(pool.font[slot], pool.x[slot], pool.y[slot], shown, pool.width[slot], -1);
        int colour = focused ? makecol(255, 255, 0) : makecol(255, 255, 255);
        rect(back_buffer, pool.x[slot] - 2, pool.y[slot] - 2, pool.x[slot] + pool.width[slot] + 1,
             pool.y[slot] + pool.height[slot], colour);
    }
    return 0;
}
