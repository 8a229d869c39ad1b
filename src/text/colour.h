// colour.h -- in-place colour replacement on loaded or created images
#ifndef QB_COLOUR_H
#define QB_COLOUR_H

#include <allegro.h>

int replace_colour(BITMAP *bitmap, int from, int to);

#endif
