// title.h -- the title menu, the program's outermost screen
#ifndef QB_TITLE_H
#define QB_TITLE_H

#include <allegro.h>

extern BITMAP *title_background;  // loaded once, kept until the process ends

int run_title_menu();
int build_title_menu();

#endif
