// panel.cpp -- translucent dark rectangles, drawn under every other widget
#include "widgets/panel.h"

#include <allegro.h>

#include "core/startup.h"

PanelPool panel_pool;

int create_panel(PanelPool &pool, int slot, std::string style, int x, int y, int width, int height)
{
    (void)style;  // every panel looks the same in this build
    pool.active[slot] = 1;
    pool.x[slot] = x;
    pool.y[slot] = y;
    pool.width[slot] = width;
    pool.height[slot] = height;
    return 0;
}

int clear_panel(PanelPool &pool, int slot)
{
    pool.active[slot] = 0;
    return 0;
}

int clear_panels(PanelPool &pool)
{
    for (int slot = 0; slot < PANEL_SLOTS; slot++)
        clear_panel(pool, slot);
    return 0;
}

// The blender goes back to the alpha all other translucent drawing relies on.
int draw_panels(PanelPool &pool)
{
    set_trans_blender(0, 0, 0, PANEL_ALPHA);
    for (int slot = 0; slot < PANEL_SLOTS; slot++) {
        if (!pool.active[slot])
            continue;
        drawing_mode(DRAW_MODE_TRANS, NULL, 0, 0);
        rectfill(back_buffer, pool.x[slot], pool.y[slot], pool.x[slot] + pool.width[slot] - 1,
                 pool.y[slot] + pool.height[slot] - 1, makecol(0, 0, 0));
        solid_mode();
    }
    set_trans_blender(0, 0, 0, DEFAULT_TRANS_ALPHA);
    return 0;
}
