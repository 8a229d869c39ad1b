// help_page.h -- lays out a help page written in the tag markup into a page image
#ifndef QB_HELP_PAGE_H
#define QB_HELP_PAGE_H

#include <allegro.h>
#include <cstdio>
#include <string>

const int HELP_SLOTS = 10;
const int HELP_PAGE_HEIGHT = 1500;

struct HelpView {
    BITMAP *page[HELP_SLOTS];
    int margin[HELP_SLOTS];
    int width[HELP_SLOTS];
    int view_height[HELP_SLOTS];
    int screen_x[HELP_SLOTS];
    int screen_y[HELP_SLOTS];
    std::string base_path;
    std::string title[HELP_SLOTS];
};

extern HelpView help_view;  // the laid-out pages of the help browser

int init_help_page(HelpView &view, int slot, int screen_x, int screen_y, int width, int view_height, int margin);
int render_help_page(HelpView &view, int slot, const std::string &topic);

// Clears the slot's page and lays out the markup read from file into it; returns the pen y
// after the last block, so callers can tell whether a page fits the part that is shown.
int lay_out_help_page(HelpView &view, int slot, FILE *file);

#endif
