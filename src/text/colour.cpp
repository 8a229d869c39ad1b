// colour.cpp -- turns one exact colour of an image into another, pixel by pixel
#include "text/colour.h"

int replace_colour(BITMAP *bitmap, int from, int to)
{
    for (int y = 0; y < bitmap->h; y++)
        for (int x = 0; x < bitmap->w; x++)
            if (getpixel(bitmap, x, y) == from)
                putpixel(bitmap, x, y, to);
    return 0;
}
