// button.h -- the pool of three-picture buttons, updated from the mouse every frame
#ifndef QB_BUTTON_H
#define QB_BUTTON_H

#include <allegro.h>
#include <string>

const int BUTTON_SLOTS = 100;

struct Button {
    BITMAP *image_down;
    BITMAP *image_hover;
    BITMAP *image_up;
    unsigned char active;
    unsigned char clicked;
    unsigned char pressed;
    unsigned char hovered;
    int height;
    int width;
    int margin_x;
    int margin_y;
    int x;
    int y;
};

extern Button button_pool[BUTTON_SLOTS];  // every button of the current screen

int create_button(int slot, int x, int y, const std::string &image_name, int hit_margin);
int destroy_button(int slot);
int destroy_buttons();
bool button_clicked(int slot);
int update_buttons();
int draw_buttons();

#endif
