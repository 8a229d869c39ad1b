// frame.h -- the per-frame cycle, its 60 Hz timing and the keyboard release latch
#ifndef QB_FRAME_H
#define QB_FRAME_H

#include <atomic>

const int KEY_LATCH_SIZE = 256;

extern std::atomic<int> frame_ticks;   // advanced 60 times a second by the timer thread
extern std::atomic<int> second_ticks;  // advanced once a second by the timer thread
extern int fps_frame_count;            // frames counted since the last whole second
extern int fps_shown;                  // frames of the last whole second, shown by the overlay
extern unsigned char key_held[KEY_LATCH_SIZE];           // 1 while a key is seen down
extern unsigned char key_release_latch[KEY_LATCH_SIZE];  // 1 for a release not yet consumed

void refresh_frame();
void reset_screen_widgets();
bool key_released(int code);
void clear_key_latches();
void update_key_latches();
void frame_timer_tick();
void second_timer_tick();
void wait_for_frame_tick();
bool second_elapsed();
void count_frame();
void draw_fps_overlay();
void handle_display_hotkeys();

#endif
