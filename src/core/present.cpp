// present.cpp -- copies the finished back buffer to the display once a frame
#include "core/present.h"

#include "core/startup.h"

void present_frame()
{
    vsync();
    blit(back_buffer, screen, 0, 0, 0, 0, SCREEN_W, SCREEN_H);
}

void copy_back_buffer_to(BITMAP *target)
{
    blit(back_buffer, target, 0, 0, 0, 0, SCREEN_W, SCREEN_H);
}
