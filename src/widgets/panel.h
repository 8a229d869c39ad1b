// panel.h -- translucent dark rectangles laid behind groups of widgets
#ifndef QB_PANEL_H
#define QB_PANEL_H

#include <string>

const int PANEL_SLOTS = 50;
const int PANEL_ALPHA = 192;
const int DEFAULT_TRANS_ALPHA = 127;  // the blender everything else relies on

struct PanelPool {
    unsigned char active[PANEL_SLOTS];
    int x[PANEL_SLOTS];
    int y[PANEL_SLOTS];
    int height[PANEL_SLOTS];
    int width[PANEL_SLOTS];
};

extern PanelPool panel_pool;  // every panel of the current screen

int create_panel(PanelPool &pool, int slot, std::string style, int x, int y, int width, int height);
int clear_panel(PanelPool &pool, int slot);
int clear_panels(PanelPool &pool);
int draw_panels(PanelPool &pool);

#endif
