// present.h -- puts the finished back buffer on the display
#ifndef QB_PRESENT_H
#define QB_PRESENT_H

#include <allegro.h>

void present_frame();
void copy_back_buffer_to(BITMAP *target);

#endif
