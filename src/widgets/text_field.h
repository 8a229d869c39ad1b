// text_field.h -- the pool of boxes the user types text into
#ifndef QB_TEXT_FIELD_H
#define QB_TEXT_FIELD_H

#include <string>

const int TEXT_FIELD_SLOTS = 50;

struct TextFieldPool {
    unsigned char active[TEXT_FIELD_SLOTS];
    int focused;  // slot with keyboard focus, -1 for none
    int font[TEXT_FIELD_SLOTS];
    int x[TEXT_FIELD_SLOTS];
    int y[TEXT_FIELD_SLOTS];
    int width[TEXT_FIELD_SLOTS];
    int height[TEXT_FIELD_SLOTS];
    std::string text[TEXT_FIELD_SLOTS];
    std::string *bound[TEXT_FIELD_SLOTS];  // the caller's string that receives every change typed
};

extern TextFieldPool text_field_pool;  // every text field of the current screen

int create_text_field(TextFieldPool &pool, unsigned slot, int font, std::string &bound, int x, int y, int width,
                      int height);
int clear_text_field(TextFieldPool &pool, int slot);
int clear_text_fields(TextFieldPool &pool);
int update_text_fields(TextFieldPool &pool);
int focus_text_field_under_mouse(TextFieldPool &pool);
int type_into_text_field(TextFieldPool &pool, int key);
int draw_text_fields(TextFieldPool &pool);

#endif
