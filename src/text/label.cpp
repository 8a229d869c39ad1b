// label.cpp -- text placed once by a screen and drawn, optionally typed out, every frame
#include "text/label.h"

#include "text/font.h"

TextLabel label_pool[LABEL_SLOTS];

int create_label(int slot, int x, int y, const std::string &text, int font, int wrap_width, int align,
                 int reveal_speed)
{
    TextLabel &l = label_pool[slot];
    l.active = 1;
    l.x = x;
    l.y = y;
    l.font = font;
    l.wrap_width = wrap_width;
    l.align = align;
    l.reveal_speed = reveal_speed;
    l.text = text;
    l.reveal_delay = 0;
    l.shown = reveal_speed != 0 ? 0 : (int)text.size();
    return 0;
}

int set_label_text(int slot, const std::string &text)
{
    label_pool[slot].text = text;
    label_pool[slot].shown = (int)text.size();
    return 0;
}

int clear_label(int slot)
{
    label_pool[slot].active = 0;
    return 0;
}

int clear_labels()
{
    for (int slot = 0; slot < LABEL_SLOTS; slot++)
        clear_label(slot);
    return 0;
}

// A negative speed -N waits N frames between characters by counting reveal_delay up to 0.
void reveal_label(TextLabel &l)
{
    int length = (int)l.text.size();
    if (l.shown < length && l.reveal_delay >= 0) {
        l.shown += l.reveal_speed <= 1 ? 1 : l.reveal_speed;
        l.reveal_delay = l.reveal_speed;
    } else if (l.reveal_delay < 0) {
        l.reveal_delay++;
    }
    if (l.shown > length)
        l.shown = length;
}

void draw_labels()
{
    for (TextLabel &l : label_pool) {
        if (!l.active)
            continue;
        reveal_label(l);
        if (l.align == 0)
            draw_text(l.font, l.x, l.y, l.text, l.wrap_width, l.shown);
        else if (l.align == 1)
            draw_text_centred(l.font, l.x, l.y, l.text, l.wrap_width, l.shown);
    }
}
