// frame.cpp -- the work every screen's loop shares: widgets, hotkeys, presentation, timing
#include "core/frame.h"

#include <allegro.h>
#include <cstdio>

#include "core/fatal.h"
#include "core/present.h"
#include "core/settings.h"
#include "core/startup.h"
#include "text/font.h"
#include "text/label.h"
#include "widgets/button.h"
#include "widgets/panel.h"
#include "widgets/text_field.h"

std::atomic<int> frame_ticks(0);
std::atomic<int> second_ticks(0);
int fps_frame_count = 0;
int fps_shown = 0;
unsigned char key_held[KEY_LATCH_SIZE];
unsigned char key_release_latch[KEY_LATCH_SIZE];

// The overlay box, corners inclusive, and where its text is centred.
const int FPS_BOX_LEFT = 8;
const int FPS_BOX_TOP = 457;
const int FPS_BOX_RIGHT = 46;
const int FPS_BOX_BOTTOM = 472;
const int FPS_TEXT_CENTRE = 28;
const int FPS_TEXT_TOP = 461;

void refresh_frame()
{
    poll_mouse();
    draw_panels(panel_pool);
    update_text_fields(text_field_pool);
    draw_text_fields(text_field_pool);
    update_key_latches();
    update_buttons();
    draw_buttons();
    draw_labels();
    draw_fps_overlay();
    handle_display_hotkeys();
    show_mouse(back_buffer);
    present_frame();
    show_mouse(NULL);
    wait_for_frame_tick();
}

void reset_screen_widgets()
{
    destroy_buttons();
    clear_text_fields(text_field_pool);
    clear_labels();
    clear_panels(panel_pool);
    clear_key_latches();
}

bool key_released(int code)
{
    if (!key_release_latch[code])
        return false;
    key_release_latch[code] = 0;
    return true;
}

void clear_key_latches()
{
    for (int k = 0; k < KEY_LATCH_SIZE; k++)
        key_release_latch[k] = 0;
}

// A key that goes down and up again between two scans is never seen.
void update_key_latches()
{
    for (int k = 0; k < KEY_MAX && k < KEY_LATCH_SIZE; k++) {
        if (key[k])
            key_held[k] = 1;
        if (!key[k] && key_held[k]) {
            key_held[k] = 0;
            key_release_latch[k] = 1;
        }
    }
}

void frame_timer_tick()
{
    frame_ticks++;
}
END_OF_FUNCTION(frame_timer_tick)

void second_timer_tick()
{
    second_ticks++;
}
END_OF_FUNCTION(second_timer_tick)

// Ticks that piled up while the frame was built are dropped, never caught up.
void wait_for_frame_tick()
{
    while (frame_ticks <= 0) {
    }
    frame_ticks = 0;
}

bool second_elapsed()
{
    if (second_ticks <= 0)
        return false;
    second_ticks = 0;
    return true;
}

// Runs every frame, overlay shown or not, so the count is right when it appears.
void count_frame()
{
    if (second_elapsed()) {
        fps_shown = fps_frame_count;
        fps_frame_count = 1;
    } else {
        fps_frame_count++;
    }
}

void draw_fps_overlay()
{
    if (key_released(KEY_F9))
        debug_mode = !debug_mode;
    count_frame();
    if (!debug_mode)
        return;
    drawing_mode(DRAW_MODE_TRANS, NULL, 0, 0);
    rectfill(back_buffer, FPS_BOX_LEFT, FPS_BOX_TOP, FPS_BOX_RIGHT, FPS_BOX_BOTTOM, makecol(0, 0, 0));
    solid_mode();
    char text[32];
    snprintf(text, sizeof text, "FPS: %-ld", (long)fps_shown);
    draw_text_centred(1, FPS_TEXT_CENTRE, FPS_TEXT_TOP, text, 0, -1);
}

// A switch that fails at both depths goes back to the mode in use; only when
// that fails too is the program left without a display, and it ends.
void handle_display_hotkeys()
{
    int kind;
    if (key_released(KEY_F5))
        kind = GFX_AUTODETECT_FULLSCREEN;
    else if (key_released(KEY_F6))
        kind = GFX_AUTODETECT_WINDOWED;
    else
        return;
    int old_kind = is_windowed_mode() ? GFX_AUTODETECT_WINDOWED : GFX_AUTODETECT_FULLSCREEN;
    int old_depth = bitmap_color_depth(screen);
    if (set_display_mode(kind) == 0)
        return;
    set_color_depth(old_depth);
    if (set_gfx_mode(old_kind, SCREEN_WIDTH, SCREEN_HEIGHT, 0, 0) == 0)
        return;
    fail_display(old_kind == GFX_AUTODETECT_WINDOWED);
}
