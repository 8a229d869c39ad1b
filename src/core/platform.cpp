// platform.cpp -- asks the X server directly for the state of the shift keys
#include "core/platform.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <cstdlib>

static bool keycode_down(Display *display, const char keys[32], KeySym symbol)
{
    KeyCode code = XKeysymToKeycode(display, symbol);
    return code != 0 && (keys[code / 8] & (1 << (code % 8)));
}

bool shift_held_on_display()
{
    Display *display = XOpenDisplay(NULL);
    if (!display)
        return false;
    char keys[32];
    XQueryKeymap(display, keys);
    bool held = keycode_down(display, keys, XK_Shift_L) || keycode_down(display, keys, XK_Shift_R);
    XCloseDisplay(display);
    return held;
}
