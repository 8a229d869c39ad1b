// font.h -- proportional bitmap fonts drawn from glyph sheets
#ifndef QB_FONT_H
#define QB_FONT_H

#include <allegro.h>
#include <string>

const int FONT_SLOTS = 10;
const int GLYPH_COUNT = 256;

struct FontSheet {
    BITMAP *sheet;
    int cell_height;
    int glyph_widths[GLYPH_COUNT];
    int cell_width;
};

extern FontSheet font_sheets[FONT_SLOTS];  // index = font number; 1 to 3 are loaded at start-up
extern BITMAP *text_target;                // where all text is drawn; back_buffer but while a help page is laid out

int load_font_sheet(int font, const char *path, int cell_width, int cell_height);
int measure_glyph_widths(FontSheet &font);
int set_text_target(BITMAP *bitmap);
int text_width(int font, const std::string &text);
int draw_text(int font, int x, int y, const std::string &text, int wrap_width, int count);
int text_height(int font, const std::string &text, int wrap_width, int count);
int draw_text_centred(int font, int centre_x, int y, const std::string &text, int wrap_width, int count);

#endif
