// map_properties.h -- the modal dialog for the map's name, texts and size
#ifndef QB_MAP_PROPERTIES_H
#define QB_MAP_PROPERTIES_H

#include <allegro.h>

struct MapPropertiesDialog {
    BITMAP *backdrop;
};

extern MapPropertiesDialog properties_dialog;  // its backdrop exists only while the dialog is open

int run_map_properties();
int map_properties_loop(MapPropertiesDialog &dialog);
int build_map_properties(MapPropertiesDialog &dialog);
int draw_properties_backdrop(MapPropertiesDialog &dialog);
int handle_size_clicks();                                // the arrow buttons' clicks of this frame
int close_map_properties(MapPropertiesDialog &dialog);  // frees the backdrop and every widget

#endif
