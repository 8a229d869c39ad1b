// startup.cpp -- brings up the library, timers, input, display and sound, in that order
#include "core/startup.h"

#include <jpgalleg.h>
#include <loadpng.h>

#include "core/fatal.h"
#include "core/frame.h"
#include "core/paths.h"
#include "core/platform.h"
#include "core/settings.h"
#include "widgets/panel.h"

BITMAP *back_buffer = NULL;
BITMAP *mouse_pointer = NULL;

const int FRAME_TIMER_SPEED = 19886;     // BPS_TO_TIMER(60)
const int SECOND_TIMER_SPEED = 1193181;  // SECS_TO_TIMER(1)
const int POINTER_FOCUS = 32;

int init_system()
{
    init_allegro();
    init_timers();
    init_input();
    init_display();
    init_sound();
    return 0;
}

int init_allegro()
{
    if (allegro_init() != 0)
        fatal_error(EXIT_NO_LIBRARY, "Could not initialize the Allegro library.");
    read_settings();
    set_window_title("Quillbrook");
    return 0;
}

int init_timers()
{
    install_timer();
    if (install_int_ex(frame_timer_tick, FRAME_TIMER_SPEED) != 0)
        fatal_error(EXIT_NO_TIMER, "Error setting up the frames per second timer.\n\nTry shutting down any "
                                   "other applications running, and then run the program again.");
    if (install_int_ex(second_timer_tick, SECOND_TIMER_SPEED) != 0)
        fatal_error(EXIT_NO_TIMER, "Error setting up the clock timer.\n\nTry shutting down any other "
                                   "applications running, and then run the program again.");
    return 0;
}

int init_input()
{
    install_keyboard();
    install_mouse();
    return 0;
}

int set_display_mode(int kind)
{
    if (set_gfx_mode(kind, SCREEN_WIDTH, SCREEN_HEIGHT, 0, 0) == 0)
        return 0;
    set_color_depth(16);
    return set_gfx_mode(kind, SCREEN_WIDTH, SCREEN_HEIGHT, 0, 0);
}

// Allegro's keyboard misses a shift key held since before its window had focus,
// so the X server is asked as well.
static bool shift_held()
{
    return key[KEY_LSHIFT] || key[KEY_RSHIFT] || shift_held_on_display();
}

static void load_mouse_pointer()
{
    mouse_pointer = load_bitmap(DATA_FOLDER MOUSE_FOLDER "pointer_01.bmp", NULL);
    set_mouse_sprite(mouse_pointer);
    set_mouse_sprite_focus(POINTER_FOCUS, POINTER_FOCUS);
}

int init_display()
{
    gfx_capabilities = GFX_HW_MEM_BLIT;
    set_color_depth(32);
    if (shift_held())
        windowed_mode = true;
    int kind = windowed_mode ? GFX_AUTODETECT_WINDOWED : GFX_AUTODETECT_FULLSCREEN;
    if (set_display_mode(kind) != 0)
        fail_display(windowed_mode);
    set_trans_blender(0, 0, 0, DEFAULT_TRANS_ALPHA);
    loadpng_init();
    jpgalleg_init();
    back_buffer = create_bitmap(SCREEN_WIDTH, SCREEN_HEIGHT);
    if (!back_buffer)
        fatal_error(EXIT_NO_BACK_BUFFER, "There was a problem, and the program was unable to create its "
                                         "640x480 drawing buffer. The machine may be out of memory.");
    clear_bitmap(back_buffer);
    load_mouse_pointer();
    return 0;
}

void fail_display(bool windowed)
{
    if (windowed)
        fatal_error(EXIT_NO_WINDOW, "There was a problem, and the program was unable to setup the WINDOWED "
                                    "display.\n\nAllegro Error:\n%s", allegro_error);
    fatal_error(EXIT_NO_FULLSCREEN, "There was a problem, and the program was unable to setup the FULLSCREEN "
                                    "display. Try running the game in windowed mode by holding the shift key "
                                    "when booting up.\n\nAllegro Error:\n%s", allegro_error);
}

int init_sound()
{
    install_sound(DIGI_AUTODETECT, MIDI_AUTODETECT, NULL);
    set_volume(255, 255);
    return 0;
}
