// label.h -- the pool of on-screen text labels, revealed and drawn every frame
#ifndef QB_LABEL_H
#define QB_LABEL_H

#include <string>

const int LABEL_SLOTS = 100;

struct TextLabel {
    unsigned char active;
    int align;          // 0 left from x, 1 centred on x, other values not drawn
    int font;
    int reveal_speed;   // 0 all at once, N > 0 N characters a frame, -N one every N + 1 frames
    int reveal_delay;
    int shown;          // characters drawn this frame
    int wrap_width;
    int x;
    int y;
    std::string text;
};

extern TextLabel label_pool[LABEL_SLOTS];  // every label of the current screen

int create_label(int slot, int x, int y, const std::string &text, int font, int wrap_width, int align,
                 int reveal_speed);
int set_label_text(int slot, const std::string &text);
int clear_label(int slot);
int clear_labels();
void reveal_label(TextLabel &label);
void draw_labels();

#endif
