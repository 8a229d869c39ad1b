// platform.h -- what Allegro's own keyboard cannot tell us
#ifndef QB_PLATFORM_H
#define QB_PLATFORM_H

// True when the X server reports either shift key down. Allegro's X11 keyboard
// misses keys that were already held before its window got focus.
bool shift_held_on_display();

#endif
