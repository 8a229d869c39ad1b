// startup.h -- start-up of the library, timers, input, display and sound
#ifndef QB_STARTUP_H
#define QB_STARTUP_H

#include <allegro.h>

const int SCREEN_WIDTH = 640;
const int SCREEN_HEIGHT = 480;

// Exit codes of the fatal start-up conditions.
const int EXIT_NO_LIBRARY = 101;
const int EXIT_NO_TIMER = 201;
const int EXIT_NO_FULLSCREEN = 301;
const int EXIT_NO_WINDOW = 302;
const int EXIT_NO_BACK_BUFFER = 303;
const int EXIT_MISSING_FILE = -1;

extern BITMAP *back_buffer;    // every screen draws here; presented once a frame
extern BITMAP *mouse_pointer;  // the pointer sprite, or NULL for Allegro's arrow

int init_system();
int init_allegro();
int init_timers();
int init_input();
int init_display();
int init_sound();

// Sets a 640x480 mode of the given kind at 32 bits, else at 16; returns 0 when one was set.
int set_display_mode(int kind);
// Ends the program with the message and exit code for a display of that kind.
[[noreturn]] void fail_display(bool windowed);

#endif
